#pragma once
// Connection strings to the stand-in, as the installer composes them.
#include <string>

#include "installer/login/connection_strings.h"
#include "tests/integration/sql/standin_server.h"

namespace wf::testing {

inline std::string standinDataSource() { return "127.0.0.1," + std::to_string(sqlStandinPort()); }

inline std::string standinConnectionString(const std::string& user, const std::string& password,
                                           const std::optional<std::string>& catalog = "ACME") {
    return serverConnectionString(SqlLogin{"False", standinDataSource(), user, password}, catalog);
}

}  // namespace wf::testing
