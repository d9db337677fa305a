#include "installer/login/error_log.h"

#include <gtest/gtest.h>

#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

using testing::InstallerFixture;

TEST(LogTimestamp, WritesTwoDigitFieldsWithTheSystemsSeparators) {
    testing::FixedClock clock;
    clock.at = {2026, 1, 2, 3, 4, 5};
    EXPECT_EQ(logTimestamp(clock), "01/02/2026 03:04:05");
    clock.dateSep = '.';
    clock.timeSep = '-';
    clock.at = {2007, 12, 31, 23, 59, 58};
    EXPECT_EQ(logTimestamp(clock), "12.31.2007 23-59-58");
}

TEST(ErrorLog, AFileNoteNamesTheFileAndCopiesItsLinesWithoutPasswords) {
    InstallerFixture f;
    InstallerContext context = f.context();
    context.errorLog().fileNote("C:\\CPSQL\\Companies.ini", {"[ACME]", "", "User ID=sa;PASSWORD = secret"},
                                {"\"pwd=secret\" is no company"});
    context.errorLog().fileNote("C:\\CPSQL\\bin\\CounterPoint.ini");
    EXPECT_EQ(f.log(),
              "06/15/2007 14:03:02 C:\\CPSQL\\Companies.ini\r\n[ACME]\r\n\r\nUser ID=sa;PASSWORD =********\r\n"
              "    ----> \"pwd=********\r\n"
              "06/15/2007 14:03:02 C:\\CPSQL\\bin\\CounterPoint.ini\r\n");
}

TEST(ErrorLog, AStatementFailureWritesOnePairPerProviderErrorInOrder) {
    InstallerFixture f;
    f.sql.statementFailures["DROP DATABASE \"X\""] = {3701, {"first", "second"}};
    auto connection = f.sql.createConnection();
    connection->open("Data Source=S");
    EXPECT_THROW(connection->execute("DROP DATABASE \"X\""), RunError);
    f.context().errorLog().statementFailure("DROP DATABASE \"X\"", *connection);
    EXPECT_EQ(f.log(), "DROP DATABASE \"X\"\r\n    ----> first\r\nDROP DATABASE \"X\"\r\n    ----> second\r\n");
}

TEST(ErrorLog, AFailureWithoutProviderErrorsLeavesNoEntry) {
    InstallerFixture f;
    auto connection = f.sql.createConnection();
    f.context().errorLog().statementFailure("select 1", *connection);
    EXPECT_FALSE(f.files.has(f.process.folder + "\\ErrorLog.txt"));
}

}  // namespace
}  // namespace wf
