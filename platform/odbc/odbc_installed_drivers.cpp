#include "platform/odbc/odbc_installed_drivers.h"

#include <cstdlib>

#include "common/sql/sql_connection.h"
#include "platform/odbc/odbc_driver_choice.h"

namespace wf {

std::vector<std::string> installedOdbcDrivers(SQLHENV environment) {
    std::vector<std::string> names;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR description[512] = {};
        SQLCHAR attributes[2048] = {};
        SQLSMALLINT descriptionLength = 0;
        SQLSMALLINT attributesLength = 0;
        // The plain name: Wine's odbc32 lacks the explicit ANSI form.
        SQLRETURN rc = odbcApi().SQLDrivers(environment, direction, description, sizeof description, &descriptionLength,
                                            attributes, sizeof attributes, &attributesLength);
        if (!SQL_SUCCEEDED(rc)) break;
        names.emplace_back(reinterpret_cast<const char*>(description));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}

std::string sqlServerDriver(SQLHENV environment) {
    const char* chosen = std::getenv(kOdbcDriverVariable);
    if (chosen != nullptr && *chosen != '\0') return chosen;
    std::optional<std::string> best = bestSqlServerDriver(installedOdbcDrivers(environment));
    if (!best) throw RunError(kErrSqlProviderFailure, "No ODBC driver for SQL Server is installed.");
    return *best;
}

}  // namespace wf
