#include "installer/connection_check.h"

#include "installer/connection_strings.h"
#include "installer/error_log.h"

namespace wf {

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
        const SqlLogin shown = withHiddenPassword(sqlLoginOf(context.state));
        logRunHeader(context, serverConnectionString(shown, context.state.strOurDB),
                     serverConnectionString(shown, std::nullopt));

        const std::string failure = TestConnectString(context.sql, context.state.strNoCatConnectionString);
        if (failure.empty()) return true;
        context.ui.messageBox(failure, kOkOnly + kCritical, kInstallerTitle);
        context.dialogs.showDbLogon(context.state);
        if (!context.state.bLogonOK) return false;
    }
}

}  // namespace wf
