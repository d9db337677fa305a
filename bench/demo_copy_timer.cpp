// Times putting a demonstration data set's two files in place of a detached
// database's own, as the installer does: wf::DatabaseFileExchange through the
// Windows file services (the exchange, then the own pair discarded). Its copies
// are made one of two ways:
//   reporting  told how far each copy has come, as the wizard is: our own loop;
//   copyfile   without a report: the system's CopyFileA, the pace to hold.
// Both ways rename and delete alike, so they differ in the copy alone. The time
// is taken inside the program, so Wine's start-up is not counted.
//
//   demo_copy_timer reporting|copyfile <data file> <log file> <database data file> <database log file>
//
// Prints the milliseconds of the whole exchange.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "bench_timing.h"
#include "installer/operations/database_file_exchange.h"
#include "platform/win32/win32_file_system.h"

int main(int argc, char** argv) {
    const std::string way = argc == 6 ? argv[1] : "";
    if (way != "reporting" && way != "copyfile") {
        std::fprintf(stderr,
                     "usage: %s reporting|copyfile <data file> <log file> <database data file> <database log file>\n",
                     argv[0]);
        return 2;
    }
    wf::win32::Win32FileSystem files;
    wf::FileCopyProgress progress;
    if (way == "reporting") progress = [](const std::string&, std::uint64_t, std::uint64_t) { return true; };
    const double begin = nowMs();
    wf::DatabaseFileExchange exchange(files, {argv[4], argv[5]});
    const std::optional<wf::FileExchangeFailure> failure = exchange.exchange({argv[2], argv[3]}, progress);
    const bool discarded = !failure && exchange.discardOwn().empty();
    const double elapsed = nowMs() - begin;
    if (failure) {
        std::fprintf(stderr, "demo_copy_timer: %s: %ld %s\n", failure->path.c_str(), failure->error.number(),
                     failure->error.description().c_str());
        return 1;
    }
    if (!discarded) {
        std::fprintf(stderr, "demo_copy_timer: the database's own files could not be deleted\n");
        return 1;
    }
    std::printf("%.1f\n", elapsed);
    return 0;
}
