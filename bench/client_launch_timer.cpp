// Times two ways of starting the server program under Wine: through the launcher,
// and directly. Each start counts until the server program has appended its line to
// StartedWith.txt, since the launcher does not wait for the program it starts.
//
//   client_launch_timer <runs> <started-with file> <launcher command> <direct command>
//
// Runs the two in turns (the order swapped every round, after one untimed round),
// prints each time, the median of each, their difference and the median of the
// per-round ratios.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"

namespace {

// -1 when the file is missing.
long long fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Starts `command` and returns the milliseconds until `startedWith` has grown
// (the line is written in one piece); -1 when that does not happen within 30 s.
double timeStart(const std::string& command, const std::string& startedWith) {
    const long long before = fileSize(startedWith);
    PROCESS_INFORMATION started{};
    const double begin = nowMs();
    if (!startCommand(command, started)) return -1;
    double elapsed = -1;
    while (nowMs() - begin < 30000) {
        if (fileSize(startedWith) > before) {
            elapsed = nowMs() - begin;
            break;
        }
        Sleep(1);
    }
    // Let the started program end before the next start, so the runs do not overlap.
    WaitForSingleObject(started.hProcess, 30000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s <runs> <started-with file> <launcher command> <direct command>\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string startedWith = argv[2], launcher = argv[3], direct = argv[4];

    if (!compareInTurns(runs, "launcher", [&] { return timeStart(launcher, startedWith); }, "direct",
                        [&] { return timeStart(direct, startedWith); })) {
        std::fprintf(stderr, "the server program did not record its start\n");
        return 1;
    }
    return 0;
}
