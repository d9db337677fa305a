#include <fstream>
#include <stdexcept>

#include "tests/integration/sql/standin_server.h"

namespace wf::testing {

int sqlStandinPort() {
    // The CTest fixture started the stand-in and wrote its port here.
    std::ifstream file(WRENFOLD_SQL_STANDIN_PORT_FILE);
    int port = 0;
    if (!(file >> port) || port <= 0)
        throw std::runtime_error(std::string("no stand-in port in ") + WRENFOLD_SQL_STANDIN_PORT_FILE);
    return port;
}

}  // namespace wf::testing
