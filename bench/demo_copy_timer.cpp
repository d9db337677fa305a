// Times putting a demonstration data set's two files in place of a detached
// database's own, as the installer does: wf::replaceDatabaseFiles through the
// Windows file services, told how far each copy has come as the wizard is (the
// copy that reports its progress). The time is taken inside the program, so
// Wine's start-up is not counted.
//
//   demo_copy_timer <data file> <log file> <database data file> <database log file>
//
// Prints the milliseconds of both copies together.
#include <cstdint>
#include <cstdio>
#include <optional>

#include "bench_timing.h"
#include "installer/database_file_copy.h"
#include "platform/win32/win32_file_system.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <data file> <log file> <database data file> <database log file>\n", argv[0]);
        return 2;
    }
    wf::win32::Win32FileSystem files;
    const wf::FileCopyProgress keepGoing = [](const std::string&, std::uint64_t, std::uint64_t) { return true; };
    const double begin = nowMs();
    const std::optional<wf::FileCopyFailure> failure =
        wf::replaceDatabaseFiles(files, {argv[1], argv[2]}, {argv[3], argv[4]}, keepGoing);
    const double elapsed = nowMs() - begin;
    if (failure) {
        std::fprintf(stderr, "demo_copy_timer: %s: %ld %s\n", failure->source.c_str(), failure->error.number(),
                     failure->error.description().c_str());
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    return 0;
}
