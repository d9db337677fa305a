#include <memory>

#include "tests/integration/sql/standin_server.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace wf::testing {

int sqlStandinPort() {
    // One server for the whole test program; it ends with the program.
    static std::unique_ptr<StandinProcess> server =
        std::make_unique<StandinProcess>(std::vector<std::string>{"--config", WRENFOLD_SQL_STANDIN_CONFIG});
    return server->port();
}

}  // namespace wf::testing
