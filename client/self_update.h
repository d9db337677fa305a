#pragma once
// Replaces the client's own program file by the copy beside the server program
// when their versions differ. Failures stay inside: nothing reaches the caller.
#include <string>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/process_services.h"

namespace wf {

class SelfUpdate {
public:
    SelfUpdate(FileSystem& files, ProcessServices& process, Clock& clock)
        : files_(files), process_(process), clock_(clock) {}
    virtual ~SelfUpdate() = default;

    // True when the server's copy has a version and it differs, as text, from ours.
    // The update is then decided for that version.
    virtual bool ClientUpdateNeeded(const std::string& serverExePath);

    // Copies the server's copy beside our program and, when the copy is a whole
    // program of ours of the version decided, puts our program aside as
    // "WrenfoldClientOLD.exe" and the copy in its place; logs both versions, and
    // why a copy was not installed. Always returns false.
    virtual bool UpdateClientProgram(const std::string& serverExePath);

    // The copy of the client beside the server program.
    static std::string serverClientCopyPath(const std::string& serverExePath);

private:
    std::string clientProgramPath();
    // Deletes `path`, read-only or not, when it is there; a failure is passed over.
    void removeIfPresent(const std::string& path);

    FileSystem& files_;
    ProcessServices& process_;
    Clock& clock_;
    // The version ClientUpdateNeeded last decided to install; empty when none.
    std::string decidedVersion_;
};

}  // namespace wf
