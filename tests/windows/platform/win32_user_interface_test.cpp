#include "platform/win32/win32_user_interface.h"

#include <gtest/gtest.h>

#include "common/run_error.h"

namespace wf::win32 {
namespace {

HMODULE WINAPI failWithTheSystemsCode(LPCSTR) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

HMODULE WINAPI failWithoutACode(LPCSTR) {
    SetLastError(ERROR_SUCCESS);
    return nullptr;
}

HMODULE WINAPI loadALibraryWithoutTheDialog(LPCSTR) { return LoadLibraryA("version.dll"); }

// An error number of 0 would make the launcher's end handler take the failure for success.
TEST(OpenFileDialog, ALibraryThatCannotServeIsAFailureWithANumber) {
    for (Win32UserInterface::LibraryLoader load : {failWithTheSystemsCode, failWithoutACode, loadALibraryWithoutTheDialog}) {
        Win32UserInterface ui("test", load);
        try {
            ui.openFile(OpenFileRequest{});
            ADD_FAILURE() << "no failure";
        } catch (const RunError& error) {
            EXPECT_NE(error.number(), 0) << error.description();
            if (load == failWithTheSystemsCode) {
                EXPECT_EQ(error.number(), ERROR_MOD_NOT_FOUND) << "the system's own code is kept";
            }
        }
    }
}

}  // namespace
}  // namespace wf::win32
