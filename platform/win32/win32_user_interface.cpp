#include "platform/win32/win32_user_interface.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "common/run_error.h"
#include "platform/win32/win32_handles.h"

namespace wf::win32 {

int Win32UserInterface::messageBox(const std::string& text, int style, const std::string& title) {
    const std::string& caption = title.empty() ? programTitle_ : title;
    // Owned by the program's active window, which stays disabled while the box is up:
    // a click behind the box must not run the handler that is waiting for its answer.
    // Without a window (the client) the box still has to come to the front by itself.
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string Win32UserInterface::nativeFilter(const std::string& filter) {
    std::string native = filter;
    for (char& c : native)
        if (c == '|') c = '\0';
    native.push_back('\0');
    native.push_back('\0');
    return native;
}

namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
using CommDlgExtendedErrorFunction = DWORD(WINAPI*)();

// An entry point of a loaded library; the cast goes through the generic function
// type, which is how a procedure address is meant to be converted.
template <class Function>
Function procedure(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The classic runtime's number for a library that cannot be loaded, reported when
// the system gives no code of its own: an error number of 0 would read as success.
constexpr long kErrLoadingLibrary = 48;

// The dialog library is loaded only when the dialog is shown (the first run of a
// workstation), so that every other start stays as quick as starting one program.
struct DialogLibrary {
    explicit DialogLibrary(Win32UserInterface::LibraryLoader load)
        : module(load("comdlg32.dll")),
          getOpenFileName(procedure<GetOpenFileNameFunction>(module.get(), "GetOpenFileNameA")),
          extendedError(procedure<CommDlgExtendedErrorFunction>(module.get(), "CommDlgExtendedError")),
          failure(getOpenFileName && extendedError ? 0 : GetLastError()) {}

    bool loaded() const { return getOpenFileName && extendedError; }
    long failureNumber() const { return failure != 0 ? static_cast<long>(failure) : kErrLoadingLibrary; }

    LibraryHandle module;
    GetOpenFileNameFunction getOpenFileName;
    CommDlgExtendedErrorFunction extendedError;
    DWORD failure;  // the system's code when the library or an entry point is missing
};

}  // namespace

std::optional<std::string> Win32UserInterface::openFile(const OpenFileRequest& request) {
    DialogLibrary library(loadLibrary_);
    if (!library.loaded()) throw RunError(library.failureNumber(), "The open-file dialog is not available on this system.");
    std::vector<char> fileName(32768, '\0');
    request.initialFileName.copy(fileName.data(), fileName.size() - 1);
    std::string filter = nativeFilter(request.filter);
    // The dialog wants the default extension without its dot.
    std::string extension = request.defaultExtension;
    if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrTitle = request.title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER;
    if (library.getOpenFileName(&dialog)) return std::string(fileName.data());
    DWORD failure = library.extendedError();
    if (failure == 0) return std::nullopt;
    throw RunError(static_cast<long>(failure), "The open-file dialog failed (" + std::to_string(failure) + ")");
}

namespace {

// One pointer per program, as the system has it.
bool busyPointer = false;

}  // namespace

void Win32UserInterface::setBusyPointer(bool busy) {
    busyPointer = busy;
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool Win32UserInterface::busyPointerShown() { return busyPointer; }

void Win32UserInterface::endProgram() { ExitProcess(0); }

}  // namespace wf::win32
