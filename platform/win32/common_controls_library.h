#pragma once
// The common controls' functions, from comctl32.dll: it is not one of Windows'
// known DLLs, so imported it would be looked for beside the program first. Loaded
// at the first call and kept: the version 6 controls when the program's manifest
// asks for them, as side-by-side redirection comes before any search, otherwise
// the system folder's.
#include <windows.h>
#include <commctrl.h>

namespace wf::win32 {

struct CommonControlsLibrary {
    decltype(&::InitCommonControlsEx) InitCommonControlsEx;
    decltype(&::SetWindowSubclass) SetWindowSubclass;
    decltype(&::RemoveWindowSubclass) RemoveWindowSubclass;
    decltype(&::DefSubclassProc) DefSubclassProc;
};

// Raises a RunError when the library or one of its entry points is missing.
const CommonControlsLibrary& commonControlsLibrary();

}  // namespace wf::win32
