#include "tests/unit/client/client_fixture.h"

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

TEST_F(Update, EveryStepFailingInTurnLeavesAWorkingClient) {
    MemoryFileSystem counted = updatableWorkstation();
    SelfUpdate(counted, process, clock).UpdateClientProgram(kServer);
    const int steps = counted.faults().calls();
    ASSERT_GT(steps, 4) << "the update did not run through";
    for (int step = 1; step <= steps; ++step) {
        MemoryFileSystem fresh = updatableWorkstation();
        fresh.faults().failAnyNth(step, RunError(kErrPermissionDenied, "Permission denied"));
        SelfUpdate(fresh, process, clock).UpdateClientProgram(kServer);
        ASSERT_TRUE(fresh.has(kClient)) << "step " << step;
        std::string content = fresh.file(kClient).content;
        EXPECT_TRUE(content == "client 1.4.0.2" || content == "client 1.5.0.0") << step << ": " << content;
        EXPECT_FALSE(fresh.has(std::string(kClient) + ".new")) << step;
    }
}

// The process can end at any moment (log-off, power loss, the task manager): at
// every step in turn the folder must still hold a whole client, and the next start
// must finish the update, past the read-only copy an earlier attempt left.
TEST_F(Update, ARunEndedAtAnyStepLeavesAWholeClientAndTheNextRunUpdates) {
    const std::string incoming = std::string(kClient) + ".new";
    for (int step = 1;; ++step) {
        ASSERT_LT(step, 20) << "the update never ran through";
        MemoryFileSystem fresh = updatableWorkstation();
        fresh.addFile(incoming, "client 1.", kAttrReadOnly);
        fresh.faults().endProcessAtAny(step);
        bool ended = false;
        try {
            SelfUpdate(fresh, process, clock).UpdateClientProgram(kServer);
        } catch (const ProcessEnded&) {
            ended = true;
        }
        ASSERT_TRUE(fresh.has(kClient)) << "ended at step " << step;
        std::string content = fresh.file(kClient).content;
        EXPECT_TRUE(content == "client 1.4.0.2" || content == "client 1.5.0.0") << step << ": " << content;
        if (!ended) {
            EXPECT_EQ(content, "client 1.5.0.0");
            EXPECT_FALSE(fresh.has(incoming));
            return;
        }
        fresh.faults().restartProcess();
        SelfUpdate nextStart(fresh, process, clock);
        if (nextStart.ClientUpdateNeeded(kServer)) nextStart.UpdateClientProgram(kServer);
        EXPECT_EQ(fresh.file(kClient).content, "client 1.5.0.0") << "next start after step " << step;
        EXPECT_FALSE(fresh.has(incoming)) << step;
    }
}

}  // namespace
}  // namespace wf::testing
