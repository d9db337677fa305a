#include "platform/win32/version_library.h"

#include "platform/win32/system_library.h"

namespace wf::win32 {

const VersionLibrary& versionLibrary() {
    static const SystemLibrary library(L"version.dll");
    static const VersionLibrary entries{
        library.entry<decltype(&::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA"),
        library.entry<decltype(&::GetFileVersionInfoA)>("GetFileVersionInfoA"),
        library.entry<decltype(&::VerQueryValueA)>("VerQueryValueA"),
    };
    return entries;
}

}  // namespace wf::win32
