#pragma once
// The Windows console of dbprep's command line: the standard output when it has
// one (dbprep.com, or output redirected), else the console of the command
// prompt that started dbprep.exe, else a console of its own.
#include <windows.h>

#include "installer/console/console.h"
#include "platform/win32/win32_handles.h"

namespace wf::win32 {

class Win32Console : public Console {
public:
    Win32Console();
    ~Win32Console() override;
    Win32Console(const Win32Console&) = delete;
    Win32Console& operator=(const Win32Console&) = delete;

    void printLine(const std::string& text) override;
    void holdInterrupts(const std::string& notice) override;
    bool interruptRequested() override;

private:
    FileHandle ownOutput_;  // the console opened when the program had no output
    HANDLE output_;
};

}  // namespace wf::win32
