#include "tests/integration/sql/standin_server.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "tools/automation/poll_for.h"
#include "tools/sqlserver_standin/testing/port_file.h"

namespace wf::testing {
namespace {

bool recorded(const std::string& batch) {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(WRENFOLD_SQL_STANDIN_RECORDS, error)) {
        if (!entry.is_regular_file(error)) continue;
        std::ifstream file(entry.path(), std::ios::binary);
        if (std::string(std::istreambuf_iterator<char>(file), {}) == batch) return true;
    }
    return false;
}

}  // namespace

int sqlStandinPort() { return readStandinPorts(WRENFOLD_SQL_STANDIN_PORT_FILE).tds; }

bool standinTookBatch(const std::string& batch, std::chrono::milliseconds timeout) {
    return automation::pollFor(timeout, [&] { return recorded(batch); });
}

}  // namespace wf::testing
