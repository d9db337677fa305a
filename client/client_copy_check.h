#pragma once
// Whether the copy of the client taken from the share may replace the client: only
// a whole program of ours, of the version the update was decided for, holding the
// share's bytes. A copy cut short, a file replaced on the share meanwhile or
// another program is not installed.
#include <string>

#include "common/file_system.h"

namespace wf {

// The client's program file: its name beside the server program and the
// OriginalFilename of its version resource.
inline constexpr char kClientProgramFileName[] = "WrenfoldClient.exe";

struct ClientCopy {
    std::string source;       // the share's file
    std::string target;       // the copy taken of it
    std::string writtenHash;  // of the bytes the copy wrote
};

// Empty when `copy` may be installed; otherwise why not, as a short line for the log.
std::string reasonNotToInstall(FileSystem& files, const ClientCopy& copy, const std::string& decidedVersion);

}  // namespace wf
