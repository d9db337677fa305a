#pragma once
// Loads Windows libraries from the system folder only. A library that is not one of
// Windows' known DLLs is otherwise looked for beside the program first, and the
// programs' folders are not safe: dbprep is run from wherever it was unpacked, often
// elevated, and the client's folder is writable because the client updates itself.
#include <windows.h>

#include <string>

namespace wf::win32 {

// First thing in every WinMain: every later load, the ones Windows makes on the
// program's behalf included, searches the system folder and not the program's.
void restrictLibrarySearchToSystemFolder();

// One library of the system folder, loaded for the object's lifetime.
class SystemLibrary {
public:
    // How the library is found in the system folder. By its path there, so that a
    // library of the same name that is already in the process, from wherever it
    // came, never answers for it. By its name, with only the system folder searched,
    // for a library that the program's manifest redirects to a side-by-side
    // assembly (the version 6 common controls): a path would bypass the redirection.
    enum class Lookup { Path, RedirectableName };

    // Raises a RunError naming the library when it cannot be loaded from the system folder.
    explicit SystemLibrary(const wchar_t* fileName, Lookup lookup = Lookup::Path);
    ~SystemLibrary();
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The named entry point as the given function pointer type; raises a RunError
    // naming the library and the entry point when the library lacks it.
    template <class Function>
    Function entry(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address(name)));
    }

private:
    FARPROC address(const char* name) const;

    std::string name_;
    HMODULE module_;
};

}  // namespace wf::win32
