#include "client/client_copy_check.h"

#include "common/run_error.h"
#include "common/text.h"

namespace wf {

std::string reasonNotToInstall(FileSystem& files, const ClientCopy& copy, const std::string& decidedVersion) {
    // A second read of the share's file: a file still being written, or replaced
    // during the copy, reads otherwise than the copy wrote it.
    std::string sourceHash;
    if (!ignoreFailure([&] { sourceHash = files.fileHash(copy.source); }))
        return "the share's file could not be read again to check the copy";
    if (sourceHash != copy.writtenHash) return "the share's file changed while it was copied";
    if (!files.isWholeProgram(copy.target)) return "the copy is not a whole Windows program";
    const std::string version = files.versionText(copy.target);
    if (version.empty()) return "the copy's version cannot be read";
    if (version != decidedVersion) return "the copy is version " + version + ", not " + decidedVersion + " as checked";
    const std::string name = files.originalFilename(copy.target);
    if (toLower(name) != toLower(kClientProgramFileName))
        return "the copy is the program \"" + name + "\", not " + kClientProgramFileName;
    return {};
}

}  // namespace wf
