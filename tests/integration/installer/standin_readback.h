#pragma once
// What the stand-in took and what it holds, read back after an operation, by the
// native tests and the Windows tests under Wine alike.
#include <filesystem>
#include <string>
#include <vector>

#include "common/sql/sql_connection.h"

namespace wf::testing {

// The batches recorded in `recordDir` while `database` was the session's own, in order.
std::vector<std::string> recordedBatches(const std::filesystem::path& recordDir, const std::string& database);

// One column of a table, row by row; raises RunError when the database cannot be opened.
std::vector<std::string> columnValues(SqlConnectionFactory& sql, const std::string& connectionString,
                                      const std::string& table, const std::string& column);

}  // namespace wf::testing
