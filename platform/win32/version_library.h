#pragma once
// The version resource functions, from the system folder's version.dll: it is not
// one of Windows' known DLLs, so imported it would be looked for beside the
// program first. Loaded at the first call and kept.
#include <windows.h>

namespace wf::win32 {

struct VersionLibrary {
    decltype(&::GetFileVersionInfoSizeA) GetFileVersionInfoSizeA;
    decltype(&::GetFileVersionInfoA) GetFileVersionInfoA;
    decltype(&::VerQueryValueA) VerQueryValueA;
};

// Raises a RunError when the library or one of its entry points is missing.
const VersionLibrary& versionLibrary();

}  // namespace wf::win32
