#pragma once
// Files that live beside the running program.
#include <string>

#include "common/process_services.h"

namespace wf {

// `fileName` in the running program's own folder.
std::string programFilePath(ProcessServices& process, const std::string& fileName);

// "ErrorLog.txt" beside the running program, where either program logs its failures.
std::string errorLogPath(ProcessServices& process);

}  // namespace wf
