#pragma once
#include <windows.h>

#include <string>

#include "common/user_interface.h"

namespace wf::win32 {

// Native message boxes (modal to the calling thread's active window), the common
// open-file dialog and the mouse pointer.
class Win32UserInterface : public UserInterface {
public:
    // Loads a library by name, as LoadLibraryA does.
    using LibraryLoader = HMODULE(WINAPI*)(LPCSTR);

    // `programTitle` captions message boxes that give no title of their own;
    // `loadLibrary` loads the open-file dialog's library.
    explicit Win32UserInterface(std::string programTitle, LibraryLoader loadLibrary = LoadLibraryA)
        : programTitle_(std::move(programTitle)), loadLibrary_(loadLibrary) {}

    int messageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    void setBusyPointer(bool busy) override;
    void endProgram() override;

    // True while an operation has the hourglass shown: windows keep it over them.
    static bool busyPointerShown();

    // The dialog's filter with its "|" separators turned into the NUL-separated form.
    static std::string nativeFilter(const std::string& filter);

private:
    std::string programTitle_;
    LibraryLoader loadLibrary_;
};

}  // namespace wf::win32
