#pragma once
// The file version held in a version resource.
#include <optional>
#include <vector>

#include "common/process_services.h"

namespace wf::win32 {

// The fixed file version of a version resource block, as a file's resource or a
// loaded module's gives it; nothing when the block holds none. The block must be
// writable: the system may convert texts inside it.
std::optional<ProgramVersion> fixedFileVersion(std::vector<char>& block);

}  // namespace wf::win32
