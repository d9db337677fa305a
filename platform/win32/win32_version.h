#pragma once
// What a version resource holds: the file version and the texts of its string table.
#include <optional>
#include <string>
#include <vector>

#include "common/process_services.h"

namespace wf::win32 {

// The fixed file version of a version resource block, as a file's resource or a
// loaded module's gives it; nothing when the block holds none. The block must be
// writable: the system may convert texts inside it.
std::optional<ProgramVersion> fixedFileVersion(std::vector<char>& block);

// The text `name` ("OriginalFilename") of the block's string table, in the first of
// its languages that has it; empty when none has it. The block must be writable.
std::string versionString(std::vector<char>& block, const std::string& name);

}  // namespace wf::win32
