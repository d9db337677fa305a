#pragma once
// dbprep's command line on the machine's services: what dbprep.com runs, and
// dbprep.exe when it is started with arguments.
#include <string>
#include <vector>

namespace wf::win32 {

// The arguments after the program's name; the exit code.
int runConsoleProgram(const std::vector<std::string>& arguments);

}  // namespace wf::win32
