#include "installer/login/connection_strings.h"

#include "common/sql/connection_string_syntax.h"
#include "common/text.h"
#include "installer/hosts/host_profile.h"
#include "installer/login/error_log.h"

namespace wf {

namespace {

const std::string kProvider = "Provider=SQLOLEDB.1;";

std::string loginItems(const SqlLogin& login) {
    return ";User ID=" + connectionStringValue(login.user) + ";Password=" + connectionStringValue(login.password);
}

}  // namespace

SqlLogin sqlLoginOf(const InstallerState& state) {
    return {state.login.strCPIntegratedSecurity, trimBlanks(state.login.strDBServer), state.login.strDBUser,
            state.login.strDBPassword};
}

std::string serverConnectionString(const SqlLogin& login, const std::optional<std::string>& catalog) {
    std::string text = kProvider + "Integrated Security=" + connectionStringValue(login.integratedSecurity) +
                       ";Persist Security Info=True;Data Source=" + connectionStringValue(login.server);
    if (catalog) text += ";Initial Catalog=" + connectionStringValue(*catalog);
    return text + loginItems(login);
}

std::string dynamicsConnectionString(const SqlLogin& login) {
    return kProvider + "Persist Security Info=True;Data Source=" + connectionStringValue(login.server) +
           ";Initial Catalog=DYNAMICS" + loginItems(login);
}

void composeConnectionStrings(InstallerState& state, HostSystem host) {
    const SqlLogin login = sqlLoginOf(state);
    state.connections.strCompanyConnectionString = serverConnectionString(login, state.operation.strCompanyDB);
    state.connections.strOurConnectionString = serverConnectionString(login, state.operation.strOurDB);
    state.connections.strNoCatConnectionString = serverConnectionString(login, std::nullopt);
    const HostProfile& profile = hostProfile(host);
    if (profile.composesDynamicsString) state.connections.strDynamicsConnectionString = dynamicsConnectionString(login);
    if (profile.companyStringIsDataSource) state.connections.strCompanyConnectionString = state.operation.strCompanyDB;
}

std::string TestConnectString(SqlConnectionFactory& sql, const std::string& connectionString) {
    std::unique_ptr<SqlConnection> connection = sql.createConnection();
    std::string result;
    try {
        connection->open(connectionString);
    } catch (const RunError& failure) {
        result = failure.description();
        if (result.empty()) result = "Error " + std::to_string(failure.number());
    }
    ignoreFailure([&] { connection->close(); });
    return result;
}

bool BuildConnectionStrings(InstallerContext& context) {
    for (;;) {
        composeConnectionStrings(context.state, context.host);
        context.errorLog().runHeader(context.state.connections.strOurConnectionString,
                                     context.state.connections.strNoCatConnectionString);

        const std::string failure = TestConnectString(context.sql, context.state.connections.strNoCatConnectionString);
        if (failure.empty()) return true;
        context.ui.messageBox(failure, kOkOnly + kCritical, kInstallerTitle);
        if (!context.dialogs.showDbLogon(context.state)) return false;
    }
}

}  // namespace wf
