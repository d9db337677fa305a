#include "installer/database_file_copy.h"

namespace wf {
namespace {

struct FileCopy {
    const std::string& from;
    const std::string& to;
};

// A copy's progress told as that of `target`, not of the name it is written under.
CopyProgress reportedAs(const std::string& target, const FileCopyProgress& progress) {
    if (!progress) return {};
    return [&target, &progress](std::uint64_t copied, std::uint64_t total) { return progress(target, copied, total); };
}

}  // namespace

std::string pendingCopyPath(const std::string& target) { return target + ".wrenfold-copy"; }

std::optional<FileCopyFailure> replaceDatabaseFiles(FileSystem& files, const DatabaseFilePair& source,
                                                    const DatabaseFilePair& target, const FileCopyProgress& progress) {
    const FileCopy copies[] = {{source.data, target.data}, {source.log, target.log}};
    const std::string* current = &source.data;
    try {
        for (const FileCopy& copy : copies) {
            current = &copy.from;
            // A database without that file in its list has nowhere to put the copy.
            if (copy.to.empty()) throw RunError(kErrBadFileName, "Bad file name");
            files.copyFile(copy.from, pendingCopyPath(copy.to), true, reportedAs(copy.to, progress));
        }
        for (const FileCopy& copy : copies) {
            current = &copy.from;
            files.moveFile(pendingCopyPath(copy.to), copy.to, true);
        }
        return std::nullopt;
    } catch (const RunError& failure) {
        for (const FileCopy& copy : copies) {
            if (!copy.to.empty()) ignoreFailure([&] { files.deleteFile(pendingCopyPath(copy.to), true); });
        }
        return FileCopyFailure{failure, *current};
    }
}

}  // namespace wf
