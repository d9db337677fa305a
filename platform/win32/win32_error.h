#pragma once
// Translates a Win32 error code into the classic error numbers and descriptions.
#include <windows.h>

#include "common/run_error.h"

namespace wf::win32 {

RunError translateError(DWORD code);

// As translateError, but a path whose folder is missing is "file not found" too,
// as the classic calls that take one program or file path answer.
RunError translateMissingAsFileNotFound(DWORD code);

// Raises the translation of GetLastError().
[[noreturn]] void raiseLastError();

}  // namespace wf::win32
