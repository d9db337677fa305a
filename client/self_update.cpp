#include "client/self_update.h"

#include "client/client_context.h"
#include "client/client_copy_check.h"
#include "common/log_appender.h"
#include "common/program_files.h"
#include "common/run_error.h"
#include "common/text.h"

namespace wf {

std::string SelfUpdate::serverClientCopyPath(const std::string& serverExePath) {
    std::string path = toLower(serverExePath);
    for (const char* serverProgram : {"wrenfoldpbs.exe", "wrenfoldgp.exe", "wrenfold.exe"})
        path = replaceAll(path, serverProgram, kClientProgramFileName);
    return path;
}

std::string SelfUpdate::clientProgramPath() { return programFilePath(process_, process_.programName() + ".exe"); }

bool SelfUpdate::ClientUpdateNeeded(const std::string& serverExePath) {
    std::string serverCopy = serverClientCopyPath(serverExePath);
    std::string localVersion = files_.versionText(clientProgramPath());
    std::string serverVersion;
    ignoreFailure([&] {
        if (files_.fileExists(serverCopy)) serverVersion = files_.versionText(serverCopy);
    });
    const bool needed = !serverVersion.empty() && serverVersion != localVersion;
    decidedVersion_ = needed ? serverVersion : std::string();
    return needed;
}

void SelfUpdate::removeIfPresent(const std::string& path) {
    ignoreFailure([&] {
        if (files_.fileExists(path)) files_.deleteFile(path, true);
    });
}

bool SelfUpdate::UpdateClientProgram(const std::string& serverExePath) {
    const std::string clientPath = clientProgramPath();
    const std::string serverCopy = serverClientCopyPath(serverExePath);
    const std::string putAside = programFilePath(process_, "WrenfoldClientOLD.exe");
    // The server's copy arrives under a name of its own and takes the client's
    // name only when complete: a run that ends during a slow copy, or any failed
    // step, leaves the client as it was.
    const std::string incoming = clientPath + ".new";

    std::string oldVersion = files_.versionText(clientPath);
    std::string newVersion = files_.versionText(serverCopy);

    removeIfPresent(incoming);  // left by an attempt that never finished, maybe read-only
    std::string writtenHash;
    std::string refusal;
    bool placed = ignoreFailure([&] { writtenHash = files_.copyFileHashed(serverCopy, incoming); });
    if (placed) {
        refusal = reasonNotToInstall(files_, {serverCopy, incoming, writtenHash}, decidedVersion_);
        placed = refusal.empty();
    }
    if (placed) {
        removeIfPresent(putAside);
        placed = ignoreFailure([&] { files_.replaceFile(clientPath, incoming, putAside); });
    }
    if (!placed) removeIfPresent(incoming);

    std::vector<std::string> entry{"----> Client Self Update " + clientLogTimestamp(clock_),
                                   "  Old version: " + oldVersion, "  New version: " + newVersion};
    if (!refusal.empty()) entry.push_back("  Not installed: " + refusal);
    ignoreFailure([&] { appendLogEntry(files_, errorLogPath(process_), entry); });
    return false;
}

}  // namespace wf
