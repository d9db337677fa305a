#include "installer/database_file_copy.h"

#include "common/run_error.h"

namespace wf {

std::string pendingCopyPath(const std::string& target) { return target + ".wrenfold-copy"; }

void copyDatabaseFile(FileSystem& files, const std::string& source, const std::string& target) {
    const std::string pending = pendingCopyPath(target);
    try {
        files.copyFile(source, pending, true);
        files.moveFile(pending, target, true);
    } catch (const RunError&) {
        ignoreFailure([&] { files.deleteFile(pending, true); });
        throw;
    }
}

}  // namespace wf
