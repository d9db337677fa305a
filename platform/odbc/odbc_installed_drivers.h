#pragma once
// The SQL Server driver this machine offers.
#include <string>
#include <vector>

#include "platform/odbc/odbc_api.h"

namespace wf {

// Names of the drivers the driver manager knows, in its order.
std::vector<std::string> installedOdbcDrivers(SQLHENV environment);

// The driver named by the environment setting, otherwise the best installed one.
// Raises RunError when the machine has no driver for SQL Server.
std::string sqlServerDriver(SQLHENV environment);

}  // namespace wf
