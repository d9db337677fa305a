#pragma once
// Puts a prepared database file in place of a detached database's own file.
#include <string>

#include "common/file_system.h"

namespace wf {

// The name a copy is written under before it takes the target's name.
std::string pendingCopyPath(const std::string& target);

// Copies `source` over `target`. The copy is written beside the target first and
// renamed over it once whole, so that a copy stopped midway (disk full, a lost
// share, the program ended) leaves the target as it was: the server then attaches
// either the database's own file or the whole prepared one. A failed copy's
// partial file is removed, best effort. Raises the failure of the copy or rename.
void copyDatabaseFile(FileSystem& files, const std::string& source, const std::string& target);

}  // namespace wf
