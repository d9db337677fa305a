#include "tests/unit/client/client_fixture.h"

#include <optional>

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

// The update as the client's run makes it: decided, then made. Whether it was made.
bool updateFromShare(SelfUpdate& update) {
    if (!update.ClientUpdateNeeded(kServer)) return false;
    update.UpdateClientProgram(kServer);
    return true;
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
    updateFromShare(update);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_FALSE(files.has(kPutAside));
    EXPECT_NE(log().find("  New version: 1.5.0.0\r\n"), std::string::npos) << "the attempt is logged";
}

TEST_F(Update, AnInterruptedCopyNeverLeavesATruncatedClient) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.faults().failNth(FileOp::Copy, 1, RunError(kErrDiskFull, "Disk full"));
    updateFromShare(update);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_EQ(files.filesIn("C:\\Wrenfold"), (std::set<std::string>{"ErrorLog.txt", "WrenfoldClient.exe"}));
}

TEST_F(Update, AFailedSwapLeavesTheClientAndRemovesTheCopy) {
    files.addFile(kServerCopy, "client 1.5.0.0", kAttrArchive, "1.5.0.0");
    files.faults().failNth(FileOp::Replace, 1, RunError(kErrPermissionDenied, "Permission denied"));
    updateFromShare(update);
    EXPECT_EQ(files.file(kClient).content, "client 1.4.0.2");
    EXPECT_EQ(files.filesIn("C:\\Wrenfold"), (std::set<std::string>{"ErrorLog.txt", "WrenfoldClient.exe"}));
}

// Only a whole program of ours, of the version checked, holding the share's bytes
// is installed; any other copy is removed and the log says why.
TEST_F(Update, ACopyThatIsNotTheCheckedClientIsRemovedAndTheReasonLogged) {
    using File = MemoryFileSystem::File;
    const auto client = [](const char* content, const char* version, bool whole = true) {
        return File{content, kAttrArchive, version, "WrenfoldClient.exe", whole};
    };
    const File checked = client("client 1.5.0.0", "1.5.0.0");
    struct RefusedCopy {
        const char* what;
        File atCheck;
        std::optional<File> replacement;  // of the share's file after the check, or during the copy
        bool duringCopy;
        const char* reason;
    };
    const RefusedCopy cases[] = {
        {"cut short on the share", client("client 1.5", "1.5.0.0", false), std::nullopt, false,
         "the copy is not a whole Windows program"},
        {"replaced after the check", checked, client("client 1.6.0.0", "1.6.0.0"), false,
         "the copy is version 1.6.0.0, not 1.5.0.0 as checked"},
        {"changed during the copy", checked, client("client 1.5.0.0 rebuilt", "1.5.0.0"), true,
         "the share's file changed while it was copied"},
        {"the server program in the client's place", File{"server", kAttrArchive, "7.0.0.1", "Wrenfold.exe", true},
         std::nullopt, false, "the copy is the program \"Wrenfold.exe\", not WrenfoldClient.exe"},
        {"its version unreadable after the check", checked, client("client 1.5.0.0 damaged", ""), false,
         "the copy's version cannot be read"},
    };
    for (const RefusedCopy& refused : cases) {
        SCOPED_TRACE(refused.what);
        MemoryFileSystem workstation = updatableWorkstation();
        workstation.addFile(kServerCopy, refused.atCheck);
        SelfUpdate update(workstation, process, clock);
        ASSERT_TRUE(update.ClientUpdateNeeded(kServer));
        const auto replace = [&] { workstation.addFile(kServerCopy, *refused.replacement); };
        if (refused.duringCopy)
            workstation.whileCopying = replace;
        else if (refused.replacement)
            replace();
        update.UpdateClientProgram(kServer);
        EXPECT_EQ(workstation.file(kClient).content, "client 1.4.0.2");
        EXPECT_EQ(workstation.file(kPutAside).content, "ancient");
        EXPECT_EQ(workstation.filesIn("C:\\Wrenfold"),
                  (std::set<std::string>{"ErrorLog.txt", "WrenfoldClient.exe", "WrenfoldClientOLD.exe"}));
        const std::string log = workstation.file(kLog).content;
        EXPECT_TRUE(log.ends_with(std::string("\r\n  Not installed: ") + refused.reason + "\r\n")) << log;
    }
}

// Each step in turn failing once or from then on, or the process ending there
// (log-off, power loss, the task manager), also past the read-only copy an earlier
// attempt left: the folder still holds a whole client, and the next start updates.
// A failure that keeps the update from being decided leaves that copy to the next.
TEST_F(Update, EveryFaultAtEveryStepLeavesAWholeClientAndTheNextStartUpdates) {
    const std::string incoming = std::string(kClient) + ".new";
    for (bool leftBefore : {false, true}) {
        SCOPED_TRACE(leftBefore ? "a read-only copy left before" : "no copy left before");
        bool made = false;
        const int steps = forEachFault<MemoryFileSystem>(
            [&](MemoryFileSystem& files, FaultSchedule& schedule) {
                files = updatableWorkstation();
                if (leftBefore) files.addFile(incoming, "client 1.", kAttrReadOnly);
                files.faults().attach(schedule);
                made = false;
            },
            [&](MemoryFileSystem& files) {
                SelfUpdate firstStart(files, process, clock);
                made = updateFromShare(firstStart);
            },
            [&](MemoryFileSystem& files, const Fault& fault) {
                ASSERT_TRUE(files.has(kClient));
                const std::string content = files.file(kClient).content;
                EXPECT_TRUE(content == "client 1.4.0.2" || content == "client 1.5.0.0") << content;
                if (fault.mode == FaultMode::None) {
                    EXPECT_EQ(content, "client 1.5.0.0");
                }
                if (made && (fault.mode == FaultMode::None || fault.mode == FaultMode::Once)) {
                    EXPECT_FALSE(files.has(incoming)) << "a single failure leaves no copy behind";
                }
                SelfUpdate nextStart(files, process, clock);
                updateFromShare(nextStart);
                EXPECT_EQ(files.file(kClient).content, "client 1.5.0.0") << "after the next start";
                EXPECT_FALSE(files.has(incoming)) << "after the next start";
            });
        EXPECT_GT(steps, 4) << "the update did not run through";
    }
}

}  // namespace
}  // namespace wf::testing
