#include "installer/operations/company_checks.h"

#include "installer/hosts/host_profile.h"
#include "installer/login/connection_strings.h"
#include "installer/operations/database_presence.h"

namespace wf {
namespace {

// A company whose login names no database would be checked against the server's
// default database, and defining "SV" beside it would touch another database.
constexpr const char* kNoCatalogue = "No database is named for this company in Companies.ini.";

// False when the host's installation has gone: the program has been ended.
bool readCompanyLogin(InstallerContext& context) {
    const LoginReading login = hostProfile(context.host).readCompanyLogin(context);
    if (login.cpCatalog) context.state.login.strCPCatalog = *login.cpCatalog;
    return login.installationFound;
}

CheckOutcome refuse(InstallerContext& context, const std::string& text) {
    context.ui.messageBox(text, kOkOnly + kCritical, "");
    return CheckOutcome::Refused;
}

}  // namespace

CheckOutcome checkChosenCompany(InstallerContext& context, int index) {
    InstallerState& state = context.state;
    const bool listed = index >= 0 && static_cast<std::size_t>(index) < state.host.strCompanyIds.size();
    state.operation.strCompanyDB = listed ? state.host.strCompanyIds[static_cast<std::size_t>(index)] : std::string();
    if (state.operation.strCompanyDB.empty()) {
        context.ui.messageBox("Please select a valid company before continuing", kOkOnly + kExclamation, "");
        return CheckOutcome::Refused;
    }
    if (!readCompanyLogin(context)) return CheckOutcome::ProgramEnded;

    const std::string failure = state.operation.strCompanyDB.empty()
                                    ? kNoCatalogue
                                    : TestConnectString(context.sql, state.connections.strCompanyConnectionString);
    if (!failure.empty()) {
        context.ui.messageBox("Error: Cannot login to the SQL database for this company ", kOkOnly + kCritical, "");
        return refuse(context, failure);
    }
    if (state.operation.strCompanyDB.find(' ') != std::string::npos)
        return refuse(context,
                      "Error: Wrenfold does not allow a physical SQL database name to contain embedded spaces.\r\n"
                      "The name \"" +
                          state.operation.strCompanyDB + "\" is invalid.");
    return CheckOutcome::Passed;
}

CheckOutcome checkWrenfoldDatabase(InstallerContext& context) {
    const OperationChoice& operation = context.state.operation;
    const bool exists = databaseExists(context, operation.strOurDB);
    if (operation.bEmptyDatabase) {
        const bool declined =
            exists && context.ui.messageBox(
                          "Warning!  A Wrenfold SQL database already exists for this company. \r\n\r\n"
                          "Do you want to overwrite the existing database?",
                          kYesNo + kExclamation, "") != kAnswerYes;
        return declined ? CheckOutcome::Refused : CheckOutcome::Passed;
    }
    if (exists) return CheckOutcome::Passed;
    context.ui.messageBox("A Wrenfold SQL database does not exist for this company. ", kOkOnly + kExclamation, "");
    return CheckOutcome::Refused;
}

bool confirmDemoReplacement(InstallerContext& context, const std::string& companyName) {
    return context.ui.messageBox(
               "Warning!  This procedure is about to install demonstration data\r\nfor the company " + companyName +
                   ".  Any existing information   \r\nin the database for this company will be replaced.\r\n\r\n"
                   "Are you sure you want to do this?",
               kYesNo + kExclamation, "") == kAnswerYes;
}

}  // namespace wf
