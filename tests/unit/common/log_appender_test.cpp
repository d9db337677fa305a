#include "common/log_appender.h"

#include <gtest/gtest.h>

#include "common/run_error.h"
#include "tests/doubles/memory_file_system.h"

namespace wf {
namespace {

using testing::FileOp;
using testing::MemoryFileSystem;

TEST(LogAppender, CreatesTheLogAndEndsEveryLineWithCrLf) {
    MemoryFileSystem files;
    files.addFolder("C:\\app");
    appendLogEntry(files, "C:\\app\\ErrorLog.txt", {"first", "", "third"});
    EXPECT_EQ(files.file("C:\\app\\ErrorLog.txt").content, "first\r\n\r\nthird\r\n");
}

TEST(LogAppender, KeepsWhatTheLogHeld) {
    MemoryFileSystem files;
    files.addFile("C:\\app\\ErrorLog.txt", "old entry\r\n");
    appendLogEntry(files, "C:\\app\\ErrorLog.txt", {"new entry"});
    EXPECT_EQ(files.file("C:\\app\\ErrorLog.txt").content, "old entry\r\nnew entry\r\n");
}

TEST(LogAppender, WritesEachEntryInOneWriteSoAFailureLosesOnlyThatEntry) {
    MemoryFileSystem files;
    files.addFile("C:\\app\\ErrorLog.txt", "old\r\n");
    appendLogEntry(files, "C:\\app\\ErrorLog.txt", {"header", "detail", "last"});
    EXPECT_EQ(files.faults().calls(FileOp::Append), 1) << "a write per line could leave half an entry";
    files.faults().failNth(FileOp::Append, 1, RunError(kErrDiskFull, "Disk full"));
    EXPECT_THROW(appendLogEntry(files, "C:\\app\\ErrorLog.txt", {"lost", "lost too"}), RunError);
    appendLogEntry(files, "C:\\app\\ErrorLog.txt", {"kept"});
    EXPECT_EQ(files.file("C:\\app\\ErrorLog.txt").content, "old\r\nheader\r\ndetail\r\nlast\r\nkept\r\n");
}

}  // namespace
}  // namespace wf
