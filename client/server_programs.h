#pragma once
// The three Wrenfold server programs the client accepts, one per host system.
#include <string>

namespace wf {

// True when `path` ends in one of the server-program names, in any case. No
// separator is required in front of the name.
bool namesServerProgram(const std::string& path);

// The open-file dialog's filter: label and pattern pairs, "|"-separated, trailing "|".
std::string serverProgramFilter();

}  // namespace wf
