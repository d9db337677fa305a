// Times dbprep's start-up under Wine, from the start of the program until its
// window is shown, with two CounterPoint SQL installations that differ only in the
// number of companies their Companies.ini lists.
//
//   startup_timer <runs> <dbprep command> <error log> <small install> <large install>
//
// Before each start the installation's folder goes into InstallPath (32-bit view)
// and the error log is removed, so each start reads and logs the same. Runs the two
// in turns (the order swapped every round, after one untimed round of each) and
// prints each time, the median of each, their difference and the median ratio.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"

namespace {

constexpr const char* kCaption = "Wrenfold SQL Database Install";

bool setInstallPath(const std::string& folder) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Synchronics\\CounterPoint\\8.0", 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                       static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findShownWindow(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (owner != search.processId || !IsWindowVisible(window) || std::string(caption) != kCaption) return TRUE;
    search.found = window;
    return FALSE;
}

// Milliseconds from the start of `command` until its window is shown; -1 when
// that does not happen within 60 s. The program is closed before returning.
double timeStart(const std::string& command, const std::string& install, const std::string& errorLog) {
    if (!setInstallPath(install)) {
        std::fprintf(stderr, "cannot set InstallPath\n");
        return -1;
    }
    DeleteFileA(errorLog.c_str());
    PROCESS_INFORMATION started{};
    const double begin = nowMs();
    if (!startCommand(command, started)) return -1;
    Search search{started.dwProcessId, nullptr};
    double elapsed = -1;
    while (nowMs() - begin < 60000 && WaitForSingleObject(started.hProcess, 0) == WAIT_TIMEOUT) {
        EnumWindows(findShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            elapsed = nowMs() - begin;
            break;
        }
        Sleep(1);
    }
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s <runs> <dbprep command> <error log> <small install> <large install>\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string command = argv[2], errorLog = argv[3], small = argv[4], large = argv[5];

    if (!compareInTurns(runs, "10,000 companies", [&] { return timeStart(command, large, errorLog); }, "1 company",
                        [&] { return timeStart(command, small, errorLog); })) {
        std::fprintf(stderr, "dbprep did not show its window\n");
        return 1;
    }
    return 0;
}
