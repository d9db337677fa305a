#include "installer/database_file_copy.h"

namespace wf {

std::string pendingCopyPath(const std::string& target) { return target + ".wrenfold-copy"; }

std::optional<FileCopyFailure> replaceDatabaseFiles(FileSystem& files, const DatabaseFilePair& source,
                                                    const DatabaseFilePair& target) {
    const std::pair<const std::string*, const std::string*> copies[] = {{&source.data, &target.data},
                                                                        {&source.log, &target.log}};
    const std::string* current = &source.data;
    try {
        for (const auto& [from, to] : copies) {
            current = from;
            // A database without that file in its list has nowhere to put the copy.
            if (to->empty()) throw RunError(kErrBadFileName, "Bad file name");
            files.copyFile(*from, pendingCopyPath(*to), true);
        }
        for (const auto& [from, to] : copies) {
            current = from;
            files.moveFile(pendingCopyPath(*to), *to, true);
        }
        return std::nullopt;
    } catch (const RunError& failure) {
        for (const auto& [from, to] : copies) {
            if (!to->empty()) ignoreFailure([&] { files.deleteFile(pendingCopyPath(*to), true); });
        }
        return FileCopyFailure{failure, *current};
    }
}

}  // namespace wf
