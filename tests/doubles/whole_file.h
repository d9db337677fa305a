#pragma once
// What a file holds, read through the file services, for tests that check a
// file's bytes on any file system.
#include <string>

#include "common/file_system.h"

namespace wf::testing {

std::string readWholeFile(FileSystem& files, const std::string& path);

}  // namespace wf::testing
