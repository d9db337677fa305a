#pragma once
// Keeps every batch the server receives, and the statement of every server
// cursor opened, so that tests can read back exactly what reached it:
// DIR/<database>/<NNNN>.sql, numbered from 0001 per database in order of
// arrival, holding the text in UTF-8 without anything added. The database is
// the session's current one when the batch arrived; characters of its name
// other than letters, digits, "_" and "-" are written as %XX.
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace wf::standin {

class BatchRecorder {
public:
    // Without a folder nothing is kept.
    explicit BatchRecorder(std::optional<std::filesystem::path> folder) : folder_(std::move(folder)) {}

    // Raises std::runtime_error when the file cannot be written.
    void record(std::string_view database, std::string_view text);

private:
    std::optional<std::filesystem::path> folder_;
    std::mutex mutex_;
    std::map<std::string, unsigned> counts_;
};

}  // namespace wf::standin
