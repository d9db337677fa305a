#include "installer/win32/win32_console.h"

#include <atomic>
#include <string>
#include <vector>

namespace wf::win32 {
namespace {

// The console control handler takes no context: the one console that holds
// interrupts, what it prints on one, and whether one came.
Win32Console* interruptedConsole = nullptr;
std::string interruptNotice;
std::atomic<bool> interrupted{false};

BOOL WINAPI noteInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    if (!interrupted.exchange(true) && interruptedConsole) interruptedConsole->printLine(interruptNotice);
    // A closing console ends the program once this returns, or at the end of
    // Windows' grace period: until then the run stops at its next step and puts
    // back what it changed, and its own end ends the program.
    if (event == CTRL_CLOSE_EVENT) Sleep(INFINITE);
    return TRUE;
}

bool usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

}  // namespace

Win32Console::Win32Console() : output_(GetStdHandle(STD_OUTPUT_HANDLE)) {
    if (usable(output_)) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) AllocConsole();
    ownOutput_ = FileHandle(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    output_ = ownOutput_.get();
}

Win32Console::~Win32Console() {
    if (interruptedConsole == this) interruptedConsole = nullptr;
}

void Win32Console::printLine(const std::string& text) {
    if (!usable(output_)) return;
    const std::string line = text + "\r\n";
    DWORD mode = 0;
    if (!GetConsoleMode(output_, &mode)) {
        // A file or a pipe gets the program's own (ANSI) text.
        DWORD written = 0;
        WriteFile(output_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // A console shows its own code page: the text goes to it in UTF-16.
    const int length = MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), wide.data(), length);
    DWORD written = 0;
    WriteConsoleW(output_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

void Win32Console::holdInterrupts(const std::string& notice) {
    interruptNotice = notice;
    interruptedConsole = this;
    SetConsoleCtrlHandler(noteInterrupt, TRUE);
}

bool Win32Console::interruptRequested() { return interrupted; }

}  // namespace wf::win32
