// Times the definition script's run as dbprep makes it: wf::RunDefinitionScript
// with the machine's services put together as dbprep's WinMain puts them, reading
// SQLdbgen\mkWFdb.sql below this program's folder and sending its batches through
// ODBC to the Wrenfold database ACMESV on 127.0.0.1. Only the run is timed, so
// Wine's start-up is not counted. The run shows its progress as the wizard does:
// wf::ProgressDisplay moving a real progress bar in a window of its own, redrawn
// and its messages pumped as the wizard's view does; --without-bar leaves the
// progress out (the window is there all the same), for the time the bar adds.
//
//   script_runner_timer <port> [--without-bar]
//
// Prints "<milliseconds> <peak working set in KiB>"; fails when the run reports a
// failure (see ErrorLog.txt beside the program).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench_timing.h"
#include "installer/dialogs/server_list.h"
#include "installer/login/connection_strings.h"
#include "installer/operations/empty_database.h"
#include "installer/win32/form_view_sync.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "installer/win32/win32_installer_services.h"
#include "installer/wizard/frm_data_ins.h"
#include "installer/wizard/progress_display.h"
#include "platform/win32/common_controls_library.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_user_interface.h"

namespace {

struct WindowKind {
    using Handle = HWND;
    static Handle none() { return nullptr; }
    static void release(Handle window) { DestroyWindow(window); }
};

// The processing page's bar in a window of its own, moved by wf::ProgressDisplay
// and drawn as the wizard's view draws its window.
class ProgressWindow {
public:
    explicit ProgressWindow(wf::Clock& clock) : display_(bar_, clock, [this] { redraw(); }) {
        bar_.maximum = wf::frmDataIns::kProgressMaximum;
    }

    // As an operation of the wizard starts: the bar drawn empty; then each step.
    wf::WorkProgress start() {
        display_.start();
        redraw();
        return [this](std::uint64_t done, std::uint64_t total) { display_.show(done, total); };
    }
    void end(bool succeeded) {
        display_.end(succeeded);
        redraw();
    }

private:
    void redraw() {
        wf::win32::applyProgress(window_.get(), bar_);
        RedrawWindow(window_.get(), nullptr, nullptr, RDW_UPDATENOW);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    static HWND createBar() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        wf::win32::commonControlsLibrary().InitCommonControlsEx(&controls);
        return CreateWindowExA(0, PROGRESS_CLASSA, "script_runner_timer", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                               480, 60, nullptr, nullptr, nullptr, nullptr);
    }

    wf::ProgressBar bar_;
    wf::win32::UniqueHandle<WindowKind> window_{createBar()};
    wf::ProgressDisplay display_;
};

}  // namespace

int main(int argc, char** argv) {
    const bool withBar = argc == 2;
    if (!withBar && (argc != 3 || std::string(argv[2]) != "--without-bar")) {
        std::fprintf(stderr, "usage: %s <port> [--without-bar]\n", argv[0]);
        return 2;
    }
    wf::win32::Win32InstallerServices services;
    wf::win32::Win32UserInterface ui{wf::kInstallerTitle};
    wf::win32::Win32InstallerDialogs dialogs{ui, wf::GetServerList};
    wf::InstallerState& state = services.state;
    state.login.strDBServer = std::string("127.0.0.1,") + argv[1];
    state.login.strDBUser = "sa";
    state.login.strDBPassword = "Secret1";
    state.login.strCPIntegratedSecurity = "False";
    state.operation.strCompanyDB = "ACME";
    state.operation.strOurDB = "ACMESV";
    wf::composeConnectionStrings(state, wf::HostSystem::CounterPointSql);
    wf::InstallerContext context = services.context(wf::HostSystem::CounterPointSql, ui, dialogs);
    // Made either way, as dbprep's window is there before any operation.
    ProgressWindow window(services.clock);

    const double begin = nowMs();
    const bool succeeded = wf::RunDefinitionScript(context, withBar ? window.start() : wf::WorkProgress{});
    if (withBar) window.end(succeeded);
    const double elapsed = nowMs() - begin;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%.1f %zu\n", elapsed, memory.PeakWorkingSetSize / 1024);
    return succeeded ? 0 : 1;
}
