#include "client/self_update.h"

#include "client/client_context.h"
#include "common/log_appender.h"
#include "common/run_error.h"
#include "common/text.h"

namespace wf {

std::string SelfUpdate::serverClientCopyPath(const std::string& serverExePath) {
    std::string path = toLower(serverExePath);
    for (const char* serverProgram : {"wrenfoldpbs.exe", "wrenfoldgp.exe", "wrenfold.exe"})
        path = replaceAll(path, serverProgram, "WrenfoldClient.exe");
    return path;
}

std::string SelfUpdate::clientProgramPath() { return clientFilePath(process_, process_.programName() + ".exe"); }

bool SelfUpdate::ClientUpdateNeeded(const std::string& serverExePath) {
    std::string serverCopy = serverClientCopyPath(serverExePath);
    std::string localVersion = files_.versionText(clientProgramPath());
    std::string serverVersion;
    ignoreFailure([&] {
        if (files_.fileExists(serverCopy)) serverVersion = files_.versionText(serverCopy);
    });
    return !serverVersion.empty() && serverVersion != localVersion;
}

bool SelfUpdate::UpdateClientProgram(const std::string& serverExePath) {
    const std::string clientPath = clientProgramPath();
    const std::string serverCopy = serverClientCopyPath(serverExePath);
    const std::string putAside = clientFilePath(process_, "WrenfoldClientOLD.exe");
    // The new program arrives under a name of its own and takes the client's name
    // only when complete, so an interrupted copy never leaves a truncated client.
    const std::string incoming = clientPath + ".new";

    std::string oldVersion = files_.versionText(clientPath);
    std::string newVersion = files_.versionText(serverCopy);

    ignoreFailure([&] {
        if (files_.fileExists(putAside)) files_.deleteFile(putAside, true);
    });
    // The running program's file can be renamed but not overwritten: moving it
    // aside frees its name.
    bool movedAside = ignoreFailure([&] { files_.moveFile(clientPath, putAside); });
    bool copied = ignoreFailure([&] { files_.copyFile(serverCopy, incoming, true); });
    bool placed = copied && ignoreFailure([&] { files_.moveFile(incoming, clientPath); });
    if (!placed) {
        ignoreFailure([&] {
            if (files_.fileExists(incoming)) files_.deleteFile(incoming, true);
        });
        // Never leave the workstation without its client.
        if (movedAside) ignoreFailure([&] { files_.moveFile(putAside, clientPath); });
    }

    ignoreFailure([&] {
        appendLogEntry(files_, clientLogPath(process_),
                       {"----> Client Self Update " + clientLogTimestamp(clock_), "  Old version: " + oldVersion,
                        "  New version: " + newVersion});
    });
    return false;
}

}  // namespace wf
