#pragma once
// Loads Windows libraries from the system folder only. A library that is not one of
// Windows' known DLLs is otherwise looked for beside the program first, and the
// programs' folders are not safe: dbprep is run from wherever it was unpacked, often
// elevated, and the client's folder is writable because the client updates itself.
#include <windows.h>

namespace wf::win32 {

// First thing in every WinMain: every later load, the ones Windows makes on the
// program's behalf included, searches the system folder and not the program's.
void restrictLibrarySearchToSystemFolder();

// One library of the system folder, loaded for the object's lifetime.
class SystemLibrary {
public:
    // Raises a RunError when the library cannot be loaded from the system folder.
    explicit SystemLibrary(const wchar_t* fileName);
    ~SystemLibrary();
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The named entry point as the given function pointer type; raises a RunError
    // when the library lacks it.
    template <class Function>
    Function entry(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address(name)));
    }

private:
    FARPROC address(const char* name) const;

    HMODULE module_;
};

}  // namespace wf::win32
