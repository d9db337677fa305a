#pragma once
// The installer's four connection strings: composed from the login in the state,
// and proved on the server with the logon dialog's help.
#include <optional>
#include <string>

#include "installer/hosts/host_system.h"
#include "installer/installer_context.h"
#include "installer/installer_state.h"

namespace wf {

// What the server strings are made of; the server name without surrounding blanks.
struct SqlLogin {
    std::string integratedSecurity;
    std::string server;
    std::string user;
    std::string password;
};

SqlLogin sqlLoginOf(const InstallerState& state);

// "Provider=SQLOLEDB.1;Integrated Security=...;Persist Security Info=True;Data
// Source=...[;Initial Catalog=...];User ID=...;Password=..."
std::string serverConnectionString(const SqlLogin& login, const std::optional<std::string>& catalog);

// The Great Plains system database: no integrated-security item.
std::string dynamicsConnectionString(const SqlLogin& login);

// Sets strCompanyConnectionString, strOurConnectionString and
// strNoCatConnectionString; as the host's profile says, also
// strDynamicsConnectionString (Great Plains), or the company string is the
// company's data source name itself (Passport).
void composeConnectionStrings(InstallerState& state, HostSystem host);

// Empty when a connection with `connectionString` opened; otherwise the
// description of the failure (never empty then). Never fails itself and leaves
// no connection open.
std::string TestConnectString(SqlConnectionFactory& sql, const std::string& connectionString);

// Composes the connection strings, logs a run header (the log hides passwords) and
// tests the server string; on failure shows the reason and the logon dialog and
// starts again while the user confirms it. True when the server was reached,
// false when the user cancelled the dialog.
bool BuildConnectionStrings(InstallerContext& context);

}  // namespace wf
