#pragma once
// The file copy of the Windows file services.
#include <string>

namespace wf::win32 {

// Copies `from` to `to` with its attributes and time of last change; with
// `overwrite` an existing `to` is replaced, otherwise it raises 58. A copy that
// fails part way removes what it wrote of `to`. Raises the translated error.
void copyWholeFile(const std::string& from, const std::string& to, bool overwrite);

}  // namespace wf::win32
