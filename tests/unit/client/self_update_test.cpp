#include "tests/unit/client/client_fixture.h"

#include "tests/doubles/fault_harness.h"

namespace wf::testing {
namespace {

const char kClient[] = "C:\\Wrenfold\\WrenfoldClient.exe";
const char kPutAside[] = "C:\\Wrenfold\\WrenfoldClientOLD.exe";
const char kServerCopy[] = "\\\\srv\\apps\\WrenfoldClient.exe";

// A workstation whose client the server's copy updates, with an old put-aside copy.
MemoryFileSystem updatableWorkstation() {
    MemoryFileSystem files;
    files.addFile(kClient, "client 1.4.0.2", kAttrArchive, "1.4.0.2");
    files.addFile(kPutAside, "ancient");
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    return files;
}

TEST(ServerClientCopyPath, FollowsEveryServerProgramInAnyCase) {
    EXPECT_EQ(SelfUpdate::serverClientCopyPath("\\\\SRV\\Apps\\Wrenfold.exe"), "\\\\srv\\apps\\WrenfoldClient.exe");
    EXPECT_EQ(SelfUpdate::serverClientCopyPath("\\\\srv\\apps\\WRENFOLDGP.EXE"), "\\\\srv\\apps\\WrenfoldClient.exe");
    EXPECT_EQ(SelfUpdate::serverClientCopyPath("\\\\srv\\apps\\WrenfoldPBS.exe"), "\\\\srv\\apps\\WrenfoldClient.exe");
}

using UpdateCheck = ClientTest;

TEST_F(UpdateCheck, OnlyADifferentVersionOnTheServerCounts) {
    EXPECT_FALSE(update.ClientUpdateNeeded(kServer)) << "no copy on the server";
    files.addFile(kServerCopy, "same", kAttrArchive, "1.4.0.2");
    EXPECT_FALSE(update.ClientUpdateNeeded(kServer));
    files.addFile(kServerCopy, "older", kAttrArchive, "1.3.0.9");
    EXPECT_TRUE(update.ClientUpdateNeeded(kServer)) << "a downgrade counts too";
    files.addFile(kServerCopy, "unversioned", kAttrArchive, "");
    EXPECT_FALSE(update.ClientUpdateNeeded(kServer));
    files.addFile(kClient, "unversioned client", kAttrArchive, "");
    files.addFile(kServerCopy, "versioned", kAttrArchive, "1.4.0.2");
    EXPECT_TRUE(update.ClientUpdateNeeded(kServer));
}

using Update = ClientTest;

TEST_F(Update, PutsTheClientAsideCopiesTheServersAndLogsBothVersions) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.addFile(kPutAside, "ancient", kAttrReadOnly);
    storePath(kServer);
    run();
    EXPECT_EQ(files.file(kClient).content, "client 1.5.0.0");
    EXPECT_EQ(files.file(kPutAside).content, "client 1.4.0.2");
    EXPECT_EQ(files.filesIn("C:\\Wrenfold"),
              (std::set<std::string>{"ErrorLog.txt", "ServerPath.ini", "WrenfoldClient.exe", "WrenfoldClientOLD.exe"}));
    EXPECT_EQ(log(),
              "----> Client Self Update 6/15/2007 2:03:02 PM\r\n"
              "  Old version: 1.4.0.2\r\n"
              "  New version: 1.5.0.0\r\n");
    EXPECT_EQ(started(), "\"\\\\srv\\apps\\Wrenfold.exe\" /Client") << "the run goes on to start the server";
}

TEST_F(Update, EqualVersionsTouchNothing) {
    files.addFile(kServerCopy, "same", kAttrArchive, "1.4.0.2");
    storePath(kServer);
    run();
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_FALSE(files.has(kPutAside));
    EXPECT_EQ(log(), "");
}

TEST_F(Update, AFailedCopyLeavesTheClientInPlace) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.faults().failNth(FileOp::Copy, 1, RunError(kErrPermissionDenied, "Permission denied"));
    update.UpdateClientProgram(kServer);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_FALSE(files.has(kPutAside));
    EXPECT_NE(log().find("  New version: 1.5.0.0\r\n"), std::string::npos) << "the attempt is logged";
}

TEST_F(Update, AnInterruptedCopyNeverLeavesATruncatedClient) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.faults().failNth(FileOp::Copy, 1, RunError(kErrDiskFull, "Disk full"));
    update.UpdateClientProgram(kServer);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_EQ(files.filesIn("C:\\Wrenfold"), (std::set<std::string>{"ErrorLog.txt", "WrenfoldClient.exe"}));
}

TEST_F(Update, AFailedSwapLeavesTheClientAndRemovesTheCopy) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.faults().failNth(FileOp::Replace, 1, RunError(kErrPermissionDenied, "Permission denied"));
    update.UpdateClientProgram(kServer);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_EQ(files.filesIn("C:\\Wrenfold"), (std::set<std::string>{"ErrorLog.txt", "WrenfoldClient.exe"}));
}

// Each step in turn failing once or from then on, or the process ending there
// (log-off, power loss, the task manager), also past the read-only copy an earlier
// attempt left: the folder still holds a whole client, and the next start updates.
TEST_F(Update, EveryFaultAtEveryStepLeavesAWholeClientAndTheNextStartUpdates) {
    const std::string incoming = std::string(kClient) + ".new";
    for (bool leftBefore : {false, true}) {
        SCOPED_TRACE(leftBefore ? "a read-only copy left before" : "no copy left before");
        const int steps = forEachFault<MemoryFileSystem>(
            [&](MemoryFileSystem& files, FaultSchedule& schedule) {
                files = updatableWorkstation();
                if (leftBefore) files.addFile(incoming, "client 1.", kAttrReadOnly);
                files.faults().attach(schedule);
            },
            [&](MemoryFileSystem& files) { SelfUpdate(files, process, clock).UpdateClientProgram(kServer); },
            [&](MemoryFileSystem& files, const Fault& fault) {
                ASSERT_TRUE(files.has(kClient));
                const std::string content = files.file(kClient).content;
                EXPECT_TRUE(content == "client 1.4.0.2" || content == "client 1.5.0.0") << content;
                if (fault.mode == FaultMode::None) {
                    EXPECT_EQ(content, "client 1.5.0.0");
                }
                if (fault.mode == FaultMode::None || fault.mode == FaultMode::Once) {
                    EXPECT_FALSE(files.has(incoming)) << "a single failure leaves no copy behind";
                }
                SelfUpdate nextStart(files, process, clock);
                if (nextStart.ClientUpdateNeeded(kServer)) nextStart.UpdateClientProgram(kServer);
                EXPECT_EQ(files.file(kClient).content, "client 1.5.0.0") << "after the next start";
                EXPECT_FALSE(files.has(incoming)) << "after the next start";
            });
        EXPECT_GT(steps, 4) << "the update did not run through";
    }
}

}  // namespace
}  // namespace wf::testing
