#include "platform/win32/common_controls_library.h"

#include "platform/win32/system_library.h"

namespace wf::win32 {

const CommonControlsLibrary& commonControlsLibrary() {
    static const SystemLibrary library(L"comctl32.dll", SystemLibrary::Lookup::RedirectableName);
    static const CommonControlsLibrary entries{
        library.entry<decltype(&::InitCommonControlsEx)>("InitCommonControlsEx"),
        library.entry<decltype(&::SetWindowSubclass)>("SetWindowSubclass"),
        library.entry<decltype(&::RemoveWindowSubclass)>("RemoveWindowSubclass"),
        library.entry<decltype(&::DefSubclassProc)>("DefSubclassProc"),
    };
    return entries;
}

}  // namespace wf::win32
