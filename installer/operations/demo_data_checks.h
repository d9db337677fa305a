#pragma once
// What is checked before a demonstration data set takes a company's databases,
// without changing anything: every prepared file is there, and every database
// file to be replaced is named, named once, and a file of this computer's own
// drives, which it only is on the SQL Server computer.
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "installer/operations/database_file_exchange.h"

namespace wf {

struct PlannedExchange {
    std::string database;
    DatabaseFilePair prepared;
    DatabaseFilePair own;  // as the server names them
};

// True for "X:\..." paths without a ".." part: no share, no device path.
bool isLocalDrivePath(const std::string& path);

// What the user is told when the exchange cannot be done; nothing when it can.
std::optional<std::string> exchangeRefusal(FileSystem& files, const std::vector<PlannedExchange>& plans);

}  // namespace wf
