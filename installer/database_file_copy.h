#pragma once
// Puts a prepared database's files in place of a detached database's own.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/run_error.h"

namespace wf {

struct DatabaseFilePair {
    std::string data;
    std::string log;
};

struct FileCopyFailure {
    RunError error;
    std::string source;  // the file whose copy failed
};

// Told how far the copy over `target`, a database's own file, has come. Answers
// false to stop it.
using FileCopyProgress = std::function<bool(const std::string& target, std::uint64_t copied, std::uint64_t total)>;

// The name a copy is written under before it takes its target's name.
std::string pendingCopyPath(const std::string& target);

// Copies `source`'s data and log file over `target`'s, both or neither: each copy
// is written beside its target and only when both are whole are they renamed over
// the targets. So a copy stopped midway (disk full, a lost share, the program
// ended) leaves the database's own pair as it was, and the server attaches either
// that or the whole prepared pair. A failed copy's partial files are removed, best
// effort. Nothing when both are in place. A copy that `progress` stops is a failed
// one.
std::optional<FileCopyFailure> replaceDatabaseFiles(FileSystem& files, const DatabaseFilePair& source,
                                                    const DatabaseFilePair& target, const FileCopyProgress& progress);

}  // namespace wf
