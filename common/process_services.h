#pragma once
// The running program and the programs it starts.
#include <string>

namespace wf {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// Window styles of a started program: the programs start theirs shown normally, with the focus.
enum WindowStyle : int { kNormalFocus = 1 };

class ProcessServices {
public:
    virtual ~ProcessServices() = default;

    // Folder of the running program, without a trailing separator.
    virtual std::string programFolder() = 0;

    // File name of the running program without its extension ("WrenfoldClient").
    virtual std::string programName() = 0;

    // The program's own file version, from its version resource.
    virtual ProgramVersion programVersion() = 0;

    // The command line after the program name, as the program received it.
    virtual std::string commandLine() = 0;

    // Starts `command` (program path and arguments) without waiting for it and
    // returns its task identifier; raises RunError (53 when the program is missing).
    virtual double startProgram(const std::string& command, WindowStyle style) = 0;

    // Brings the top-level window of a started program to the front. Best effort:
    // waits a bounded time for the program to be ready for input; a program without
    // a window is not a failure.
    virtual void activateProgram(double taskId) = 0;
};

}  // namespace wf
