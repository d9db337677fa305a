// The self-update on the real files, failed at every step in turn through the
// fault plan: each time the workstation keeps a whole client and no incoming copy.
#include <gtest/gtest.h>

#include "client/self_update.h"
#include "platform/win32/win32_file_system.h"
#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/faulty_file_system.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"

namespace wf::testing {
namespace {

// Runs one update on a fresh workstation with the call `failing` failing (0: none)
// and checks what it leaves; returns how many file calls the update made.
int updateFailingAt(int failing, const std::string& expectedWhenWhole) {
    ScratchFolder scratch("update_steps");
    const std::string workstation = scratch.folder("workstation");
    const std::string share = scratch.folder("share");
    const std::string client = workstation + "\\WrenfoldClient.exe";
    copyFileTo(windowsPath(WF_CLIENT_EXE), client);
    copyFileTo(windowsPath(WF_NEXT_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    writeFileText(workstation + "\\WrenfoldClientOLD.exe", "left from an earlier update");

    win32::Win32FileSystem real;
    FaultyFileSystem files(real);
    if (failing > 0) files.faults().failAnyNth(failing, RunError(kErrPermissionDenied, "Permission denied"));
    FakeProcessServices process;
    process.folder = workstation;
    FixedClock clock;
    SelfUpdate update(files, process, clock);
    if (update.ClientUpdateNeeded(share + "\\Wrenfold.exe")) update.UpdateClientProgram(share + "\\Wrenfold.exe");

    std::string content = readFileText(client);
    bool whole = content == readFileText(windowsPath(WF_CLIENT_EXE)) || content == expectedWhenWhole;
    EXPECT_TRUE(whole) << "failing call " << failing << " left " << content.size() << " bytes";
    EXPECT_EQ(GetFileAttributesA((client + ".new").c_str()), INVALID_FILE_ATTRIBUTES) << "failing call " << failing;
    if (failing == 0) {
        EXPECT_EQ(content, expectedWhenWhole) << "the update did not run through";
    }
    return files.faults().calls();
}

TEST(SelfUpdateOnRealFiles, EveryStepFailingInTurnLeavesAWholeClient) {
    const std::string next = readFileText(windowsPath(WF_NEXT_CLIENT_EXE));
    ASSERT_FALSE(next.empty());
    const int steps = updateFailingAt(0, next);
    ASSERT_GT(steps, 4);
    for (int failing = 1; failing <= steps; ++failing) updateFailingAt(failing, next);
}

}  // namespace
}  // namespace wf::testing
