#pragma once
// dbprep run from a command line: the wizard's catalogues, checks and
// operations, told on the console, ending with an exit code.
#include <functional>
#include <string>
#include <vector>

#include "installer/console/console.h"
#include "installer/installer_context.h"

namespace wf {

enum ConsoleExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,  // by a check, or not confirmed
    kExitFailed = 2,   // the operation failed: the company's databases are as they were
    kExitBadArguments = 3,
};

// The installer's context over the machine's seams with the user interface and
// dialogs the run brings.
using ConsoleContextFactory = std::function<InstallerContext(UserInterface& ui, InstallerDialogs& dialogs)>;

// Runs the command `arguments` (those after the program's name) give. A failure
// nobody expected is logged and printed, and the run fails.
int runCommandLine(const std::vector<std::string>& arguments, Console& console,
                   const ConsoleContextFactory& contextWith);

}  // namespace wf
