#pragma once
// The data and log files of a database on disk, in the stand-in's own format.
// A data file holds the database's tables as text:
//
//   -- sqlserver-standin data file
//   table [DB_CTL] ([KEY_ID], [SHARED_DIR]);
//   row [DB_CTL] (N'1', NULL);
//
// A log file holds only its header line, "-- sqlserver-standin log file".
// Prepared files (demonstration data) are written in the same form.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue_types.h"

namespace wf::standin {

struct DatabaseFiles {
    std::filesystem::path data;
    std::filesystem::path log;
};

// The file is not one the stand-in wrote (or it is damaged).
class InvalidDatabaseFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string dataFileText(const std::vector<TableSnapshot>& tables);
std::string logFileText();
// Raises InvalidDatabaseFile.
std::vector<TableSnapshot> parseDataFile(const std::string& text);
bool isLogFile(const std::string& text);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);
// Raises std::runtime_error when the file cannot be written.
void writeWholeFile(const std::filesystem::path& path, const std::string& text);

// How clients name the server's files. Under Wine the root of the Linux file
// system is drive Z:, so with the prefix "Z:" the file /srv/a.mdf is
// "Z:\srv\a.mdf" to a client; without a prefix clients use the Linux path.
class ClientPaths {
public:
    explicit ClientPaths(std::string prefix = {}) : prefix_(std::move(prefix)) {}

    std::string toClient(const std::filesystem::path& path) const;
    std::filesystem::path fromClient(const std::string& path) const;

private:
    std::string prefix_;
};

}  // namespace wf::standin
