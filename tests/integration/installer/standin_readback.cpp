#include "tests/integration/installer/standin_readback.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace wf::testing {

std::vector<std::string> recordedBatches(const std::filesystem::path& recordDir, const std::string& database) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(recordDir / database, error)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::string> batches;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        batches.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return batches;
}

std::vector<std::string> columnValues(SqlConnectionFactory& sql, const std::string& connectionString,
                                      const std::string& table, const std::string& column) {
    std::unique_ptr<SqlConnection> connection = sql.createConnection();
    connection->open(connectionString);
    std::unique_ptr<SqlRecordSet> rows =
        connection->openRecordSet("select * from " + table, CursorType::ForwardOnly, LockType::ReadOnly);
    std::vector<std::string> values;
    for (; !rows->endOfSet(); rows->moveNext()) values.push_back(rows->field(column));
    rows->close();
    connection->close();
    return values;
}

}  // namespace wf::testing
