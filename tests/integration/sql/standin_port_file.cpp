#include "tests/integration/sql/standin_server.h"
#include "tools/sqlserver_standin/testing/port_file.h"

namespace wf::testing {

int sqlStandinPort() { return readStandinPorts(WRENFOLD_SQL_STANDIN_PORT_FILE).tds; }

}  // namespace wf::testing
