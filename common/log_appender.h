#pragma once
// Appends one entry of one or more lines to a plain-text log, each line ended by
// CR LF. The log is created when missing and never truncated. The entry goes to
// the file in one write, so a failure loses that entry only.
#include <string>
#include <vector>

#include "common/file_system.h"

namespace wf {

// Raises RunError when the log cannot be opened or written; callers that log in
// ignore mode wrap it in ignoreFailure.
void appendLogEntry(FileSystem& files, const std::string& logPath, const std::vector<std::string>& lines);

}  // namespace wf
