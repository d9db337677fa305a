// Times the definition script's run as dbprep makes it: wf::RunDefinitionScript
// with the machine's services put together as dbprep's WinMain puts them, reading
// SQLdbgen\mkWFdb.sql below this program's folder and sending its batches through
// ODBC to the Wrenfold database ACMESV on 127.0.0.1. Only the run is timed, so
// Wine's start-up is not counted.
//
//   script_runner_timer <port>
//
// Prints "<milliseconds> <peak working set in KiB>"; fails when the run reports a
// failure (see ErrorLog.txt beside the program).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "bench_timing.h"
#include "installer/login/connection_strings.h"
#include "installer/operations/empty_database.h"
#include "installer/win32/win32_installer_services.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <port>\n", argv[0]);
        return 2;
    }
    wf::win32::Win32InstallerServices services;
    wf::InstallerState& state = services.state;
    state.login.strDBServer = std::string("127.0.0.1,") + argv[1];
    state.login.strDBUser = "sa";
    state.login.strDBPassword = "Secret1";
    state.login.strCPIntegratedSecurity = "False";
    state.operation.strCompanyDB = "ACME";
    state.operation.strOurDB = "ACMESV";
    wf::composeConnectionStrings(state, wf::HostSystem::CounterPointSql);
    wf::InstallerContext context = services.context(wf::HostSystem::CounterPointSql);

    const double begin = nowMs();
    const bool succeeded = wf::RunDefinitionScript(context);
    const double elapsed = nowMs() - begin;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%.1f %zu\n", elapsed, memory.PeakWorkingSetSize / 1024);
    return succeeded ? 0 : 1;
}
