#include "platform/win32/win32_process_services.h"

#include <vector>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_version.h"

namespace wf::win32 {
namespace {

// How long activation waits for a started program to be ready and show a window.
constexpr DWORD kActivationWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleTopLevelWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string Win32ProcessServices::programPath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string Win32ProcessServices::programFolder() {
    std::string path = programPath();
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Win32ProcessServices::programName() {
    std::string path = programPath();
    std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

ProgramVersion Win32ProcessServices::programVersion() {
    // The image in memory, not the file at the program's path: a self-update may
    // already have put the next version there.
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = resource ? LoadResource(self, resource) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) return {};
    std::vector<char> block(data, data + SizeofResource(self, resource));
    return fixedFileVersion(block).value_or(ProgramVersion{});
}

std::string Win32ProcessServices::argumentsOf(const std::string& fullCommandLine) {
    std::size_t position = 0;
    if (!fullCommandLine.empty() && fullCommandLine[0] == '"') {
        std::size_t closing = fullCommandLine.find('"', 1);
        position = closing == std::string::npos ? fullCommandLine.size() : closing + 1;
    }
    while (position < fullCommandLine.size() && fullCommandLine[position] != ' ' && fullCommandLine[position] != '\t')
        ++position;
    while (position < fullCommandLine.size() && (fullCommandLine[position] == ' ' || fullCommandLine[position] == '\t'))
        ++position;
    return fullCommandLine.substr(position);
}

std::string Win32ProcessServices::commandLine() { return argumentsOf(GetCommandLineA()); }

double Win32ProcessServices::startProgram(const std::string& command, WindowStyle) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::vector<char> commandText(command.begin(), command.end());
    commandText.push_back('\0');
    if (!CreateProcessA(nullptr, commandText.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw translateMissingAsFileNotFound(GetLastError());
    // Only the process is kept, for activation; its first thread is not needed.
    const KernelHandle thread(process.hThread);
    started_[process.dwProcessId] = KernelHandle(process.hProcess);
    return static_cast<double>(process.dwProcessId);
}

void Win32ProcessServices::activateProgram(double taskId) {
    auto found = started_.find(static_cast<DWORD>(taskId));
    if (found == started_.end()) return;
    HANDLE process = found->second.get();
    // A program that is still starting has no window yet: wait until it is ready
    // for input, then for its window, but never long.
    DWORD begin = GetTickCount();
    WaitForInputIdle(process, kActivationWaitMs);
    WindowSearch search{found->first, nullptr};
    for (;;) {
        EnumWindows(findVisibleTopLevelWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) break;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return;  // ended without a window
        if (GetTickCount() - begin >= kActivationWaitMs) return;      // a program without a window
        Sleep(kWindowPollMs);
    }
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(search.found);
}

}  // namespace wf::win32
