#pragma once
// Puts a prepared database's two files in place of a detached database's own, and
// back again. The own pair is never overwritten: it is set aside under other names
// until the database runs on the prepared pair, so that a refused attach, a failed
// step or a stop can always give the database its own data back.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/run_error.h"

namespace wf {

struct DatabaseFilePair {
    std::string data;
    std::string log;
};

// Told how far the copy over `target`, a database's own file, has come. Answers
// false to stop it.
using FileCopyProgress = std::function<bool(const std::string& target, std::uint64_t copied, std::uint64_t total)>;

struct FileExchangeFailure {
    RunError error;
    std::string path;  // the prepared file whose copy failed, or the database file a rename failed on
    bool copying;      // a copy failed, not a rename
};

// The name a copy is written under before it takes its target's name.
std::string pendingCopyPath(const std::string& target);
// The name a database's own file keeps while the prepared one stands in its place.
std::string setAsidePath(const std::string& target);

class DatabaseFileExchange {
public:
    // `own`: the database's data and log file, as the server names them.
    DatabaseFileExchange(FileSystem& files, DatabaseFilePair own) : files_(files), own_(std::move(own)) {}

    // Copies `prepared` beside the own files, both whole before anything else
    // moves; then sets the own pair aside and renames the copies into its place.
    // At no moment do the own names hold one file of each pair. Nothing when done;
    // otherwise the failed step, after which restore() puts the own pair back. A
    // copy that `progress` stops fails with 18, User interrupt occurred.
    std::optional<FileExchangeFailure> exchange(const DatabaseFilePair& prepared, const FileCopyProgress& progress);

    // Puts the own pair back under its names: the prepared files in its place are
    // removed first, then the own ones renamed back, then the copies' leftovers
    // removed. A failure stops it and is returned; ownFiles() then says where the
    // own pair is.
    std::optional<RunError> restore();

    // Deletes the own pair set aside, once the database runs on the prepared one.
    // The set-aside files that could not be deleted; none when all went.
    std::vector<std::string> discardOwn();

    // Where the database's own files are now: under their own names or set aside.
    DatabaseFilePair ownFiles() const;

private:
    struct FileMoves {
        bool setAside = false;  // the own file went to its set-aside name
        bool placed = false;    // the prepared copy took the own file's name
    };
    struct OwnFile {
        const std::string& own;
        FileMoves& moves;
    };
    std::array<OwnFile, 2> ownPair();

    FileSystem& files_;
    const DatabaseFilePair own_;
    FileMoves data_;
    FileMoves log_;
};

}  // namespace wf
