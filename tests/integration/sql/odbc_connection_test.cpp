#include <chrono>

#include <gtest/gtest.h>

#include "installer/connection_test.h"
#include "installer/sql/odbc_connection.h"
#include "tests/integration/sql/sql_test_support.h"

namespace wf {
namespace {

using testing::standinConnectionString;

std::vector<std::string> providerErrors(SqlConnection& connection) {
    std::vector<std::string> errors;
    for (std::size_t index = 0; index < connection.errorCount(); ++index)
        errors.push_back(connection.errorDescription(index));
    return errors;
}

// FreeTDS ends a failed login with a record of its own.
const std::string kDriverLoginFailure = "Unable to connect to data source";

struct OdbcConnectionTest : ::testing::Test {
    OdbcConnectionFactory factory;
    std::unique_ptr<SqlConnection> connection = factory.createConnection();
};

TEST_F(OdbcConnectionTest, OpensExecutesAndCloses) {
    connection->open(standinConnectionString("sa", "Secret1"));
    connection->execute("use ACME");
    connection->execute("set nocount on");
    connection->close();
    EXPECT_EQ(connection->errorCount(), 0u);
}

TEST_F(OdbcConnectionTest, AWrongPasswordFailsAtOpenWithTheServersWords) {
    try {
        connection->open(standinConnectionString("sa", "wrong"));
        FAIL() << "opened";
    } catch (const RunError& failure) {
        EXPECT_EQ(failure.number(), 18456);
        EXPECT_EQ(failure.description(), "Login failed for user 'sa'.");
    }
    EXPECT_EQ(providerErrors(*connection),
              (std::vector<std::string>{"Login failed for user 'sa'.", kDriverLoginFailure}));
    EXPECT_THROW(connection->execute("use ACME"), RunError);
}

TEST_F(OdbcConnectionTest, AnUnknownInitialCatalogueFailsAtOpen) {
    // FreeTDS ranks the server's two errors by severity, the login failure first.
    EXPECT_THROW(connection->open(standinConnectionString("sa", "Secret1", "NOPE")), RunError);
    EXPECT_EQ(providerErrors(*connection),
              (std::vector<std::string>{"Login failed for user 'sa'.",
                                        "Cannot open database \"NOPE\" requested by the login. The login failed.",
                                        kDriverLoginFailure}));
}

TEST_F(OdbcConnectionTest, APasswordWithSemicolonBraceAndQuoteLogsIn) {
    connection->open(standinConnectionString("odd", "pa;s}s\"x"));
    connection->close();
}

TEST_F(OdbcConnectionTest, APasswordInTheSystemCodePageLogsIn) {
    connection->open(standinConnectionString("accent", "Mot-d\xE9-passe"));
    connection->close();
}

TEST_F(OdbcConnectionTest, TheLocalServerAliasesReachTheLoopbackServer) {
    for (std::string alias : {"(local)", "."}) {
        auto local = factory.createConnection();
        local->open("Data Source=" + alias + "," + std::to_string(testing::sqlStandinPort()) +
                    ";User ID=sa;Password=Secret1");
        local->close();
    }
}

TEST_F(OdbcConnectionTest, AStatementFailingWithTwoErrorsReportsBothUntilCleared) {
    connection->open(standinConnectionString("sa", "Secret1"));
    EXPECT_THROW(connection->execute("alter database NOWHERE set online"), RunError);
    // FreeTDS ranks the errors of one statement by severity, highest first.
    ASSERT_EQ(connection->errorCount(), 2u);
    EXPECT_EQ(connection->errorDescription(0), "ALTER DATABASE statement failed.");
    EXPECT_EQ(connection->errorDescription(1).rfind("User does not have permission to alter database 'NOWHERE'", 0), 0u);
    EXPECT_THROW(connection->errorDescription(2), RunError);

    connection->clearErrors();
    EXPECT_EQ(connection->errorCount(), 0u);
    connection->execute("use ACME");
    EXPECT_EQ(connection->errorCount(), 0u);
}

TEST_F(OdbcConnectionTest, AnErrorAfterAGoodStatementOfTheBatchIsReported) {
    connection->open(standinConnectionString("sa", "Secret1"));
    EXPECT_THROW(connection->execute("use master raiserror('late problem', 16, 1)"), RunError);
    EXPECT_EQ(providerErrors(*connection),
              (std::vector<std::string>{"Changed database context to 'master'.", "late problem"}));
}

TEST_F(OdbcConnectionTest, ABatchRaisingTwoErrorsReportsBothInOrder) {
    connection->open(standinConnectionString("sa", "Secret1"));
    try {
        connection->execute("raiserror('first', 16, 1) raiserror('second', 16, 1)");
        FAIL() << "executed";
    } catch (const RunError& failure) {
        EXPECT_EQ(failure.number(), 50000);
        EXPECT_EQ(failure.description(), "first");
    }
    EXPECT_EQ(providerErrors(*connection), (std::vector<std::string>{"first", "second"}));
    connection->clearErrors();
    connection->execute("use ACME");
    EXPECT_EQ(connection->errorCount(), 0u);
}

TEST_F(OdbcConnectionTest, TheCommandTimeOutEndsALongStatementAndTheConnectionGoesOn) {
    connection->open(standinConnectionString("sa", "Secret1"));
    connection->setCommandTimeout(1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(connection->execute("waitfor delay '00:00:05'"), RunError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    ASSERT_GE(connection->errorCount(), 1u);
    EXPECT_EQ(connection->errorDescription(0), "Timeout expired");
    connection->execute("use ACME");
}

TEST_F(OdbcConnectionTest, AClosedConnectionRefusesWorkAndKeepsItsErrors) {
    EXPECT_THROW(connection->open(standinConnectionString("sa", "wrong")), RunError);
    try {
        connection->execute("use ACME");
        FAIL() << "executed";
    } catch (const RunError& failure) {
        EXPECT_EQ(failure.number(), kErrSqlObjectClosed);
    }
    EXPECT_EQ(connection->errorDescription(0), "Login failed for user 'sa'.");
    EXPECT_THROW(connection->close(), RunError);
}

TEST_F(OdbcConnectionTest, OpeningAnOpenConnectionIsRefused) {
    connection->open(standinConnectionString("sa", "Secret1"));
    try {
        connection->open(standinConnectionString("sa", "Secret1"));
        FAIL() << "opened twice";
    } catch (const RunError& failure) {
        EXPECT_EQ(failure.number(), kErrSqlObjectOpen);
    }
}

TEST(TestConnectStringAgainstServers, ReportsAnUnreachableServer) {
    OdbcConnectionFactory factory;
    // Nothing listens on port 1 of the loopback interface.
    std::string result = TestConnectString(factory, "Data Source=127.0.0.1,1;User ID=sa;Password=x");
    EXPECT_NE(result.find("Unable to connect"), std::string::npos) << result;
    EXPECT_EQ(TestConnectString(factory, standinConnectionString("sa", "Secret1", std::nullopt)), "");
}

}  // namespace
}  // namespace wf
