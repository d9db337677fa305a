// The wizard's page flow: choosing an operation and a company, the checks made
// before anything is changed, and the processing page that runs the operation.
#include "installer/hosts/host_profile.h"
#include "installer/login/connection_strings.h"
#include "installer/operations/database_presence.h"
#include "installer/operations/demo_data.h"
#include "installer/operations/empty_database.h"
#include "installer/wizard/frm_data_ins.h"

namespace wf {
namespace {

constexpr const char* kDemoWhatDoing = "Installing Wrenfold demonstration data";
constexpr const char* kDemoInstructions =
    "Please select a valid CP SQL company into which you would like to install Wrenfold demo data, then click 'Next' "
    "to continue.";
constexpr const char* kEmptyWhatDoing = "Defining a new Wrenfold database, for use in a new company";
constexpr const char* kEmptyInstructions =
    "Please select a valid company to which you would like to add a Wrenfold database, then click 'Next' to continue.";
constexpr const char* kDataSetInstructions =
    "Select the type of demo data you would like to install, then click 'Next' to continue.";
constexpr const char* kDefining = "Defining database, please wait...";
constexpr const char* kInstalling = "Installing data, please wait...";
constexpr const char* kComplete = "Process complete";
constexpr const char* kNotCompleted = "Process was not successfully completed";

// A company whose login names no database would be checked against the server's
// default database, and defining "SV" beside it would touch another database.
constexpr const char* kNoCatalogue = "No database is named for this company in Companies.ini.";

// Databases may be detached while an operation runs: ending the session then would strand them.
constexpr const char* kShutdownBlockReason = "Wrenfold databases are being replaced";

std::string fileNamePart(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

}  // namespace

void frmDataIns::cmdDemoData_Click() {
    context_.state.operation.bDemoData = true;
    context_.state.operation.bEmptyDatabase = false;
    cmboDataType.listIndex = -1;
    showCompanyPage(kDemoWhatDoing, kDemoInstructions);
}

void frmDataIns::cmdEmptyFiles_Click() {
    context_.state.operation.bDemoData = false;
    context_.state.operation.bEmptyDatabase = true;
    showCompanyPage(kEmptyWhatDoing, kEmptyInstructions);
}

void frmDataIns::showCompanyPage(const char* whatDoing, const char* instructions) {
    lblWhatDoing.caption = whatDoing;
    lblCompanyInstrs.caption = instructions;
    cmboDataType.visible = false;
    cmboCompany.visible = true;
    fraCompanyInfo.visible = true;
    window.focus = &cmboCompany;
}

void frmDataIns::showStartPage() {
    fraCompanyInfo.visible = false;
    fraProcessing.visible = false;
}

void frmDataIns::cmdExit_Click() {
    window.unloaded = true;
    context_.ui.endProgram();
}

void frmDataIns::Form_QueryUnload() {
    if (!working_) {
        cmdExit_Click();
        return;
    }
    if (!context_.state.operation.bDemoData || exitRequested_) return;
    const int answer = context_.ui.messageBox(
        "The demonstration data is still being installed.\r\n\r\n"
        "Stop the installation and exit? Both databases are given their own data back.",
        kYesNo + kExclamation, "");
    exitRequested_ = answer == kAnswerYes;
}

void frmDataIns::cmdCompanyPrev_Click() {
    if (cmboDataType.visible) {
        cmdDemoData_Click();
        return;
    }
    showStartPage();
}

void frmDataIns::cmdProcNext_Click() { showStartPage(); }

void frmDataIns::cmdCompanyNext_Click() {
    if (!companyChecksPass()) return;
    const InstallerState& state = context_.state;
    const bool ourDatabaseExists = databaseExists(context_, state.operation.strOurDB);
    if (state.operation.bEmptyDatabase) {
        if (ourDatabaseExists &&
            context_.ui.messageBox("Warning!  A Wrenfold SQL database already exists for this company. \r\n\r\n"
                                   "Do you want to overwrite the existing database?",
                                   kYesNo + kExclamation, "") != kAnswerYes) {
            window.focus = &cmboCompany;
            return;
        }
        defineEmptyDatabase();
        return;
    }
    if (!ourDatabaseExists) {
        context_.ui.messageBox("A Wrenfold SQL database does not exist for this company. ", kOkOnly + kExclamation, "");
        window.focus = &cmboCompany;
        return;
    }
    installDemoData();
}

bool frmDataIns::companyChecksPass() {
    InstallerState& state = context_.state;
    const int selected = cmboCompany.listIndex;
    const bool listed = selected >= 0 && static_cast<std::size_t>(selected) < state.host.strCompanyIds.size();
    state.operation.strCompanyDB =
        listed ? state.host.strCompanyIds[static_cast<std::size_t>(selected)] : std::string();
    if (state.operation.strCompanyDB.empty()) {
        context_.ui.messageBox("Please select a valid company before continuing", kOkOnly + kExclamation, "");
        window.focus = &cmboCompany;
        return false;
    }
    if (!readCompanyLogin()) return false;

    const std::string failure = state.operation.strCompanyDB.empty()
                                    ? kNoCatalogue
                                    : TestConnectString(context_.sql, state.connections.strCompanyConnectionString);
    if (!failure.empty()) {
        context_.ui.messageBox("Error: Cannot login to the SQL database for this company ", kOkOnly + kCritical, "");
        context_.ui.messageBox(failure, kOkOnly + kCritical, "");
        window.focus = &cmboCompany;
        return false;
    }
    if (state.operation.strCompanyDB.find(' ') != std::string::npos) {
        context_.ui.messageBox(
            "Error: Wrenfold does not allow a physical SQL database name to contain embedded spaces.\r\n"
            "The name \"" +
                state.operation.strCompanyDB + "\" is invalid.",
            kOkOnly + kCritical, "");
        window.focus = &cmboCompany;
        return false;
    }
    return true;
}

bool frmDataIns::readCompanyLogin() {
    const LoginReading login = hostProfile(context_.host).readCompanyLogin(context_);
    if (login.cpCatalog) context_.state.login.strCPCatalog = *login.cpCatalog;
    if (login.installationFound) return true;
    // The installation has gone: the program has been ended.
    window.unloaded = true;
    return false;
}

void frmDataIns::defineEmptyDatabase() {
    startProcessing(kDefining);
    const bool defined = CreateEmptyDatabase(context_);
    endProcessing();
    if (defined) {
        tellOutcome(kComplete, "Wrenfold database successfully defined", kOkOnly + kInformation);
    } else {
        tellOutcome(kNotCompleted,
                    "An error was encountered while defining the Wrenfold database.\r\n\r\n"
                    "The errors are listed in " +
                        context_.process.programFolder() + "\\ErrorLog.txt.",
                    kOkOnly + kExclamation);
    }
    finishProcessing();
}

void frmDataIns::installDemoData() {
    if (cmboDataType.listIndex < 0) {
        lblWhatDoing.caption += " into " + selectedCompanyName();
        lblCompanyInstrs.caption = kDataSetInstructions;
        cmboCompany.visible = false;
        cmboDataType.visible = true;
        window.focus = &cmboDataType;
        return;
    }
    const int answer = context_.ui.messageBox(
        "Warning!  This procedure is about to install demonstration data\r\nfor the company " + selectedCompanyName() +
            ".  Any existing information   \r\nin the database for this company will be replaced.\r\n\r\n"
            "Are you sure you want to do this?",
        kYesNo + kExclamation, "");
    if (answer != kAnswerYes) {
        showStartPage();
        return;
    }
    startProcessing(kInstalling);
    InstallationWatch watch;
    watch.progress = [this](const std::string& target, std::uint64_t copied, std::uint64_t total) {
        return showCopyProgress(target, copied, total);
    };
    // Between two steps the window answers, so a close pressed meanwhile is asked about now.
    watch.stopRequested = [this] {
        refresh();
        return exitRequested_;
    };
    const bool installed = InstallDemoData(context_, cmboDataType.listIndex, watch);
    endProcessing();
    if (installed) {
        tellOutcome(kComplete, "Wrenfold demo data successfully installed", kOkOnly + kInformation);
    } else {
        tellOutcome(kNotCompleted, "An error was encountered while installing Wrenfold demo data",
                    kOkOnly + kInformation);
    }
    if (exitRequested_) {
        cmdExit_Click();
        return;
    }
    finishProcessing();
}

void frmDataIns::startProcessing(const char* status) {
    cmdProcNext.caption = "&Next";
    lblInstallingMsg.caption = status;
    fraProcessing.visible = true;
    cmdProcNext.enabled = false;
    fraCompanyInfo.visible = false;
    working_ = true;
    window.shutdownBlockReason = kShutdownBlockReason;
    refresh();
    context_.ui.setBusyPointer(true);
}

// The page reads the outcome before the message about it shows over it.
void frmDataIns::tellOutcome(const char* status, const std::string& message, int style) {
    lblInstallingMsg.caption = status;
    refresh();
    context_.ui.messageBox(message, style, "");
}

void frmDataIns::endProcessing() {
    working_ = false;
    window.shutdownBlockReason.clear();
    context_.ui.setBusyPointer(false);
}

void frmDataIns::finishProcessing() {
    cmdProcNext.caption = "&Finish";
    cmdProcNext.enabled = true;
    window.focus = &cmdProcNext;
}

bool frmDataIns::showCopyProgress(const std::string& target, std::uint64_t copied, std::uint64_t total) {
    if (exitRequested_) return false;
    const std::uint64_t percent = total == 0 ? 100 : copied * 100 / total;
    // Between two copies the status tells of the installation as a whole again.
    const std::string status = percent >= 100
                                   ? std::string(kInstalling)
                                   : "Copying " + fileNamePart(target) + ": " + std::to_string(percent) + "%";
    if (status != lblInstallingMsg.caption) {
        lblInstallingMsg.caption = status;
        refresh();
    }
    return !exitRequested_;
}

void frmDataIns::refresh() {
    if (window.refresh) window.refresh();
}

std::string frmDataIns::selectedCompanyName() const {
    const int selected = cmboCompany.listIndex;
    if (selected < 0 || static_cast<std::size_t>(selected) >= cmboCompany.items.size()) return {};
    return cmboCompany.items[static_cast<std::size_t>(selected)];
}

}  // namespace wf
