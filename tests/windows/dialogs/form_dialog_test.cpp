#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/run_error.h"
#include "installer/win32/dialog_resources.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "platform/win32/win32_user_interface.h"
#include "tests/windows/support/modal_on_thread.h"
#include "tools/automation/automation.h"

namespace wf {
namespace {

using namespace automation;
using namespace std::chrono_literals;

// An error escaping a form's handler (here the lookup's load, run from the logon's
// server button) ends its dialog and the dialog that opened it, and reaches the
// caller once the system's dialog calls have returned.
TEST(FormDialogTest, AnErrorInAHandlerEndsTheDialogsAndReachesTheCaller) {
    InstallerState state;
    win32::Win32UserInterface ui("Wrenfold Database Install");
    win32::Win32InstallerDialogs dialogs(ui, []() -> std::vector<std::string> { throw RunError(7, "Out of memory"); });
    testing::ModalOnThread shown([&] {
        try {
            dialogs.showDbLogon(state);
        } catch (const RunError& error) {
            // Caught on the thread that showed them, the dialogs are gone already.
            bool dialogsGone = !FindWindowA(nullptr, "Database Logon") && !FindWindowA(nullptr, "SQL Server Lookup");
            return dialogsGone ? static_cast<INT_PTR>(error.number()) : INT_PTR{-2};
        }
        return INT_PTR{0};
    });
    auto logon = waitForWindow("Database Logon", {}, 10s, GetCurrentProcessId());
    ASSERT_TRUE(logon);
    PostMessageA(controlById(logon->handle, IDC_LOGON_LOOKUP), BM_CLICK, 0, 0);
    EXPECT_EQ(shown.result(10s), 7);
}

}  // namespace
}  // namespace wf
