#include "installer/operations/database_file_exchange.h"

#include <array>

namespace wf {
namespace {

// A copy's progress told as that of `target`, not of the name it is written under.
CopyProgress reportedAs(const std::string& target, const FileCopyProgress& progress) {
    if (!progress) return {};
    return [&target, &progress](std::uint64_t copied, std::uint64_t total) { return progress(target, copied, total); };
}

}  // namespace

std::string pendingCopyPath(const std::string& target) { return target + ".wrenfold-copy"; }

std::string setAsidePath(const std::string& target) { return target + ".wrenfold-own"; }

std::array<DatabaseFileExchange::OwnFile, 2> DatabaseFileExchange::ownPair() {
    return {OwnFile{own_.data, data_}, OwnFile{own_.log, log_}};
}

std::optional<FileExchangeFailure> DatabaseFileExchange::exchange(const DatabaseFilePair& prepared,
                                                                  const FileCopyProgress& progress) {
    struct File {
        const std::string& prepared;
        const std::string& own;
        FileMoves& moves;
    };
    const File pair[] = {{prepared.data, own_.data, data_}, {prepared.log, own_.log, log_}};
    for (const File& file : pair) {
        try {
            // A database without that file in its list has nowhere to put the copy.
            if (file.own.empty()) throw RunError(kErrBadFileName, "Bad file name");
            files_.copyFile(file.prepared, pendingCopyPath(file.own), true, reportedAs(file.own, progress));
        } catch (const RunError& failure) {
            for (const File& copied : pair) {
                if (!copied.own.empty()) ignoreFailure([&] { files_.deleteFile(pendingCopyPath(copied.own), true); });
            }
            return FileExchangeFailure{failure, file.prepared, true};
        }
    }
    const std::string* current = &own_.data;
    try {
        for (const File& file : pair) {
            current = &file.own;
            files_.moveFile(file.own, setAsidePath(file.own), false);
            file.moves.setAside = true;
        }
        for (const File& file : pair) {
            current = &file.own;
            files_.moveFile(pendingCopyPath(file.own), file.own, false);
            file.moves.placed = true;
        }
    } catch (const RunError& failure) {
        return FileExchangeFailure{failure, *current, false};
    }
    return std::nullopt;
}

std::optional<RunError> DatabaseFileExchange::restore() {
    const std::array<OwnFile, 2> pair = ownPair();
    try {
        for (const OwnFile& file : pair) {
            if (!file.moves.placed) continue;
            files_.deleteFile(file.own, true);
            file.moves.placed = false;
        }
        for (const OwnFile& file : pair) {
            if (!file.moves.setAside) continue;
            files_.moveFile(setAsidePath(file.own), file.own, false);
            file.moves.setAside = false;
        }
    } catch (const RunError& failure) {
        return failure;
    }
    for (const OwnFile& file : pair) {
        if (!file.own.empty()) ignoreFailure([&] { files_.deleteFile(pendingCopyPath(file.own), true); });
    }
    return std::nullopt;
}

std::vector<std::string> DatabaseFileExchange::discardOwn() {
    std::vector<std::string> left;
    for (const OwnFile& file : ownPair()) {
        if (!file.moves.setAside) continue;
        if (ignoreFailure([&] { files_.deleteFile(setAsidePath(file.own), true); }))
            file.moves.setAside = false;
        else
            left.push_back(setAsidePath(file.own));
    }
    return left;
}

DatabaseFilePair DatabaseFileExchange::ownFiles() const {
    return {data_.setAside ? setAsidePath(own_.data) : own_.data, log_.setAside ? setAsidePath(own_.log) : own_.log};
}

}  // namespace wf
