#include <gtest/gtest.h>

#include "platform/odbc/odbc_connection.h"
#include "tests/integration/sql/sql_test_support.h"

namespace wf {
namespace {

using testing::standinConnectionString;

struct OdbcRecordSetTest : ::testing::Test {
    OdbcRecordSetTest() { connection->open(standinConnectionString("sa", "Secret1")); }
    OdbcConnectionFactory factory;
    std::unique_ptr<SqlConnection> connection = factory.createConnection();
};

long errorNumberOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunError& failure) {
        return failure.number();
    }
    return 0;
}

TEST_F(OdbcRecordSetTest, AnEmptyResultIsAtBothEnds) {
    auto rows = connection->openRecordSet("select * from EMPTY_TABLE", CursorType::ForwardOnly, LockType::ReadOnly);
    EXPECT_TRUE(rows->endOfSet());
    EXPECT_TRUE(rows->beginOfSet());
    EXPECT_EQ(errorNumberOf([&] { rows->field("A"); }), kErrSqlNoCurrentRow);
    EXPECT_EQ(errorNumberOf([&] { rows->moveNext(); }), kErrSqlNoCurrentRow);
}

TEST_F(OdbcRecordSetTest, ReadsFieldsByNameRowByRow) {
    auto rows = connection->openRecordSet("select * from DB_CTL", CursorType::ForwardOnly, LockType::ReadOnly);
    ASSERT_FALSE(rows->endOfSet());
    EXPECT_FALSE(rows->beginOfSet());
    EXPECT_EQ(rows->field("KEY_ID"), "1");
    EXPECT_EQ(rows->field("shared_dir"), "C:\\OLD\\");
    EXPECT_EQ(rows->field("NOTE"), "");  // NULL
    EXPECT_EQ(errorNumberOf([&] { rows->field("MISSING"); }), kErrSqlItemNotFound);

    rows->moveNext();
    EXPECT_EQ(rows->field("NOTE"), "second");
    rows->moveNext();
    EXPECT_EQ(rows->field("SHARED_DIR"), "C:\\Caf\xE9 \x80\\");  // in code page 1252
    rows->moveNext();
    EXPECT_TRUE(rows->endOfSet());
    EXPECT_FALSE(rows->beginOfSet());

    rows->moveFirst();
    EXPECT_EQ(rows->field("KEY_ID"), "1");
    EXPECT_EQ(errorNumberOf([&] { rows->setField("NOTE", "x"); }), kErrSqlNotUpdatable);
    rows->close();
    EXPECT_EQ(errorNumberOf([&] { rows->field("KEY_ID"); }), kErrSqlObjectClosed);
}

TEST_F(OdbcRecordSetTest, AFailingStatementReportsItsProviderErrors) {
    EXPECT_THROW(connection->openRecordSet("select * from NO_SUCH_TABLE", CursorType::ForwardOnly, LockType::ReadOnly),
                 RunError);
    ASSERT_EQ(connection->errorCount(), 1u);
    EXPECT_EQ(connection->errorDescription(0), "Invalid object name 'NO_SUCH_TABLE'.");
}

TEST_F(OdbcRecordSetTest, ClosingTheConnectionClosesItsRecordSets) {
    auto rows = connection->openRecordSet("select * from DB_CTL", CursorType::ForwardOnly, LockType::ReadOnly);
    connection->close();
    EXPECT_EQ(errorNumberOf([&] { rows->moveNext(); }), kErrSqlObjectClosed);
}

TEST_F(OdbcRecordSetTest, AnUpdateThroughADynamicRecordSetIsSeenByAnotherConnection) {
    auto rows = connection->openRecordSet("select * from DB_CTL where KEY_ID = 2", CursorType::Dynamic,
                                          LockType::Pessimistic);
    ASSERT_FALSE(rows->endOfSet());
    rows->setField("SHARED_DIR", "C:\\CPSQL\\");
    rows->update();
    rows->close();
    connection->close();

    auto other = factory.createConnection();
    other->open(standinConnectionString("sa", "Secret1"));
    auto check = other->openRecordSet("select * from DB_CTL where KEY_ID = 2", CursorType::ForwardOnly,
                                      LockType::ReadOnly);
    EXPECT_EQ(check->field("SHARED_DIR"), "C:\\CPSQL\\");
    EXPECT_EQ(check->field("NOTE"), "second");
}

TEST_F(OdbcRecordSetTest, AnUpdateLeavesAnIdentityColumnBeforeTheChangedOneAlone) {
    auto rows = connection->openRecordSet("select * from NUMBERED_CTL where KEY_ID = 1", CursorType::Dynamic,
                                          LockType::Pessimistic);
    ASSERT_FALSE(rows->endOfSet());
    rows->setField("SHARED_DIR", "C:\\CPSQL\\");
    rows->update();
    rows->close();

    auto check = connection->openRecordSet("select * from NUMBERED_CTL", CursorType::ForwardOnly, LockType::ReadOnly);
    EXPECT_EQ(check->field("ID"), "7");
    EXPECT_EQ(check->field("SHARED_DIR"), "C:\\CPSQL\\");
}

}  // namespace
}  // namespace wf
