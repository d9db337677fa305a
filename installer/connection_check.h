#pragma once
// Proving the installer's logins: a test of one connection string, and the
// composition of the strings with the run header and the logon dialog loop.
#include <string>

#include "installer/installer_context.h"

namespace wf {

// Empty when a connection with `connectionString` opened; otherwise the
// description of the failure (never empty then). Never fails itself and leaves
// no connection open.
std::string TestConnectString(SqlConnectionFactory& sql, const std::string& connectionString);

// Composes the connection strings, logs a run header (passwords hidden) and
// tests the server string; on failure shows the reason and the logon dialog and
// starts again while the user confirms it. True when the server was reached,
// false when the user cancelled the dialog.
bool BuildConnectionStrings(InstallerContext& context);

}  // namespace wf
