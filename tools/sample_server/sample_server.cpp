// A stand-in for the Wrenfold server programs: records and shows the command line
// it was started with, so that tests and the demo can see what the launcher passed.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "common/log_appender.h"
#include "common/run_error.h"
#include "platform/win32/win32_file_system.h"
#include "tools/sample_server/start_report.h"

namespace {

constexpr char kWindowClass[] = "WrenfoldSampleServer";
constexpr char kTitle[] = "Wrenfold Server (sample)";
constexpr UINT_PTR kCloseTimer = 1;

std::string environmentText(const char* name) {
    char value[32] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

// A whole number from the environment, or nothing when unset or not a number.
std::optional<unsigned long> environmentNumber(const char* name) {
    const std::string value = environmentText(name);
    char* end = nullptr;
    unsigned long number = std::strtoul(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0') return std::nullopt;
    return number;
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

// Appends the command line, exactly as received, to StartedWith.txt beside the
// program. Returns what went wrong, for the window; empty when it was recorded.
std::string recordStart(const std::string& commandLine) {
    try {
        wf::win32::Win32FileSystem files;
        wf::appendLogEntry(files, programFolder() + "\\StartedWith.txt", {commandLine});
        return {};
    } catch (const wf::RunError& error) {
        return "Could not write StartedWith.txt: " + std::to_string(error.number()) + " " + error.description() + "\r\n\r\n";
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, 1), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_TIMER:
            if (wParam == kCloseTimer) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createReportWindow(HINSTANCE instance, const std::string& report) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass)) return nullptr;
    HWND window = CreateWindowExA(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 360,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    HWND text = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", report.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                0, 0, 0, 0, window, reinterpret_cast<HMENU>(1), instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const std::string commandLine = GetCommandLineA();
    const std::string failure = recordStart(commandLine);
    if (environmentText("WRENFOLD_SAMPLE_NO_WINDOW") == "1") return failure.empty() ? 0 : 1;

    if (auto delay = environmentNumber("WRENFOLD_SAMPLE_WINDOW_DELAY_MS")) Sleep(*delay);
    std::vector<std::string> arguments(__argv, __argv + __argc);
    HWND window = createReportWindow(instance, failure + wf::sample_server::startReport(commandLine, arguments));
    if (!window) return 2;
    if (auto seconds = environmentNumber("WRENFOLD_SAMPLE_SECONDS")) {
        const auto milliseconds = std::min<unsigned long long>(*seconds * 1000ULL, USER_TIMER_MAXIMUM);
        SetTimer(window, kCloseTimer, static_cast<UINT>(milliseconds), nullptr);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return failure.empty() ? 0 : 1;
}
