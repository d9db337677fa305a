// The fault plan every double consults: which call fails, for how long, and that
// each double answers with the plan's own error.
#include <gtest/gtest.h>

#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/fault_harness.h"
#include "tests/doubles/memory_file_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/sql_scripted_server.h"

namespace wf::testing {
namespace {

// The error number a call raised, 0 when it ran through.
template <class Call>
long raised(Call&& call) {
    try {
        call();
        return 0;
    } catch (const RunError& error) {
        return error.number();
    }
}

TEST(FaultPlan, FailsTheChosenCallsAndEachDoubleAnswersWithThePlansError) {
    MemoryFileSystem files;
    files.addFile("C:\\a.txt", "a");
    auto read = [&] { return raised([&] { files.openForReading("C:\\a.txt"); }); };
    auto exists = [&] { return raised([&] { files.fileExists("C:\\a.txt"); }); };
    read();
    files.faults().failNth(FileOp::OpenForReading, 2, RunError(kErrPermissionDenied, "Permission denied"));
    EXPECT_EQ(exists(), 0) << "another operation's calls do not count";
    EXPECT_EQ(read(), 0) << "the next call is the first";
    EXPECT_EQ(read(), kErrPermissionDenied);
    EXPECT_EQ(read(), 0) << "once only";

    files.faults().failFrom(FileOp::OpenForReading, 1, RunError(kErrDiskFull, "Disk full"));
    EXPECT_EQ(read(), kErrDiskFull);
    EXPECT_EQ(read(), kErrDiskFull) << "from then on";
    EXPECT_EQ(files.faults().calls(FileOp::OpenForReading), 6);
    EXPECT_EQ(files.faults().calls(), 7);

    files.faults().failAnyNth(2, RunError(kErrPathNotFound, "Path not found"));
    EXPECT_EQ(exists(), 0);
    EXPECT_EQ(exists(), kErrPathNotFound) << "the second call, whatever it is";
    EXPECT_EQ(files.versionText("C:\\a.txt"), "");

    files.faults().endProcessAtAny(1);
    EXPECT_THROW(files.fileExists("C:\\a.txt"), ProcessEnded);
    EXPECT_THROW(files.versionText("C:\\a.txt"), ProcessEnded) << "a process stays ended";
    files.faults().restartProcess();
    EXPECT_EQ(exists(), 0);

    MemoryRegistry registry;
    registry.faults().failNth(RegistryOp::CreateKey, 1, kRegAccessDenied);
    RegKey key = 0;
    EXPECT_EQ(registry.createKey(kHkeyCurrentUser, "Software\\X", kKeyAllAccessClassic, key), kRegAccessDenied);
    EXPECT_EQ(registry.createKey(kHkeyCurrentUser, "Software\\X", kKeyAllAccessClassic, key), kRegSuccess);
    registry.closeKey(key);

    FakeProcessServices process;
    process.faults().failNth(ProcessOp::StartProgram, 1, RunError(kErrFileNotFound, "File not found"));
    EXPECT_EQ(raised([&] { process.startProgram("x.exe", kNormalFocus); }), kErrFileNotFound);
    EXPECT_EQ(raised([&] { process.startProgram("x.exe", kNormalFocus); }), 0);

    SqlScriptedServer sql;
    sql.faults().failNth(SqlOp::Execute, 2, SqlScriptedFailure{3701, {"Cannot drop", "Then this"}});
    auto connection = sql.createConnection();
    connection->open("Data Source=S");
    EXPECT_EQ(raised([&] { connection->execute("one"); }), 0);
    EXPECT_EQ(raised([&] { connection->execute("two"); }), 3701);
    EXPECT_EQ(connection->errorCount(), 2u);
    EXPECT_EQ(connection->errorDescription(0), "Cannot drop");
    sql.faults().failAnyNth(1, SqlScriptedFailure{17, {}});
    connection->close();
    EXPECT_EQ(raised([&] { connection->open("Data Source=S"); }), 17) << "an open counts among any calls";
}

TEST(ForEachFault, FailsEachCallOfTheCleanRunOnceFromThenOnAndByTheProcessEndingThere) {
    struct World {
        MemoryFileSystem files;
        SqlScriptedServer sql;
        std::string trail;  // what each call of the run raised
    };
    std::vector<std::string> checked;
    const int calls = forEachFault<World>(
        [](World& w, FaultSchedule& schedule) {
            w.files.faults().attach(schedule);
            w.sql.faults().attach(schedule);
        },
        [](World& w) {
            w.trail += std::to_string(raised([&] { w.files.fileExists("C:\\a.txt"); }));
            w.trail += " " + std::to_string(raised([&] { w.sql.createConnection()->open("Data Source=S"); }));
        },
        [&](World& w, const Fault& fault) {
            const long next = raised([&] { w.files.fileExists("C:\\a.txt"); });
            checked.push_back(fault.describe() + ": " + w.trail + (fault.ended ? " ended" : "") + ", then " +
                              std::to_string(next));
        });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(checked, (std::vector<std::string>{
                           "the clean run: 0 0, then 0",
                           "call 1 of 2 (FileOp::FileExists) failing once: 61 0, then 0",
                           "call 1 of 2 (FileOp::FileExists) failing from then on: 61 4242, then 0",
                           "call 1 of 2 (FileOp::FileExists) ending the process:  ended, then 0",
                           "call 2 of 2 (SqlOp::Open) failing once: 0 4242, then 0",
                           "call 2 of 2 (SqlOp::Open) failing from then on: 0 4242, then 0",
                           "call 2 of 2 (SqlOp::Open) ending the process: 0 ended, then 0",
                       }));
}

}  // namespace
}  // namespace wf::testing
