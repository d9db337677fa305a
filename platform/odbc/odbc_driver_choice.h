#pragma once
// Which installed ODBC driver reaches SQL Server, and what kind of driver it is.
#include <optional>
#include <string>
#include <vector>

namespace wf {

// Names the driver to use instead of the best one installed.
inline constexpr const char* kOdbcDriverVariable = "WRENFOLD_ODBC_DRIVER";

enum class OdbcDriverKind {
    MicrosoftOdbc,     // "ODBC Driver NN for SQL Server"
    NativeClient,      // "SQL Server Native Client NN.N", "SQL Native Client"
    ClassicSqlServer,  // "SQL Server", the one every Windows has
    FreeTds,
    Other,
};

OdbcDriverKind odbcDriverKind(const std::string& driverName);

// The best driver for SQL Server among the installed ones: the newest Microsoft
// ODBC driver, then the newest native client, then "SQL Server", then FreeTDS.
std::optional<std::string> bestSqlServerDriver(const std::vector<std::string>& installed);

}  // namespace wf
