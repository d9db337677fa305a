#pragma once
// Translates a Win32 error code into the classic error numbers and descriptions.
#include <windows.h>

#include "common/run_error.h"

namespace wf::win32 {

RunError translateError(DWORD code);

// Raises the translation of GetLastError().
[[noreturn]] void raiseLastError();

}  // namespace wf::win32
