#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "installer/login/connection_strings.h"
#include "platform/odbc/odbc_connection.h"
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
    EXPECT_NO_THROW(connection->open(standinConnectionString("sa", "Secret1")));
    EXPECT_NO_THROW(connection->execute("use ACME"));
    EXPECT_NO_THROW(connection->execute("set nocount on"));
    EXPECT_NO_THROW(connection->close());
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
    EXPECT_NO_THROW(connection->open(standinConnectionString("odd", "pa;s}s\"x")));
    EXPECT_NO_THROW(connection->close());
}

TEST_F(OdbcConnectionTest, APasswordInTheSystemCodePageLogsIn) {
    EXPECT_NO_THROW(connection->open(standinConnectionString("accent", "Mot-d\xE9-passe")));
    EXPECT_NO_THROW(connection->close());
}

TEST_F(OdbcConnectionTest, TheLocalServerAliasesReachTheLoopbackServer) {
    for (std::string alias : {"(local)", "."}) {
        auto local = factory.createConnection();
        EXPECT_NO_THROW(local->open("Data Source=" + alias + "," + std::to_string(testing::sqlStandinPort()) +
                                    ";User ID=sa;Password=Secret1"))
            << alias;
        EXPECT_NO_THROW(local->close()) << alias;
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
    EXPECT_NO_THROW(connection->execute("use ACME"));
    EXPECT_EQ(connection->errorCount(), 0u);
}

TEST_F(OdbcConnectionTest, AnErrorAfterAGoodStatementOfTheBatchIsReported) {
    connection->open(standinConnectionString("sa", "Secret1"));
    EXPECT_THROW(connection->execute("use master raiserror('late problem', 16, 1)"), RunError);
    EXPECT_EQ(providerErrors(*connection),
              (std::vector<std::string>{"Changed database context to 'master'.", "late problem"}));
}

// The statements after a failed first one still run, a slow one included, and
// their messages are reported in order.
TEST_F(OdbcConnectionTest, ABatchWhoseFirstStatementFailsRunsToItsEnd) {
    connection->open(standinConnectionString("sa", "Secret1"));
    auto start = std::chrono::steady_clock::now();
    try {
        connection->execute("raiserror('first', 16, 1) waitfor delay '00:00:01' raiserror('second', 16, 1)");
        FAIL() << "executed";
    } catch (const RunError& failure) {
        EXPECT_EQ(failure.number(), 50000);
        EXPECT_EQ(failure.description(), "first");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(950));
    EXPECT_EQ(providerErrors(*connection), (std::vector<std::string>{"first", "second"}));
    connection->clearErrors();
    EXPECT_NO_THROW(connection->execute("use ACME"));
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
    EXPECT_NO_THROW(connection->execute("use ACME"));
}

TEST_F(OdbcConnectionTest, AConnectionLostInTheMiddleOfABatchEndsIt) {
    connection->open(standinConnectionString("sa", "Secret1"));
    // Another session takes the batch's database offline once the server has
    // the batch, which cuts this connection while the server is busy on it. A
    // mark of this run tells the batch from those of earlier runs.
    const std::string batch = "use SCRATCH raiserror('before', 16, 1) waitfor delay '00:00:10' -- " +
                              std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
    bool cut = false;
    std::thread other([&] {
        if (!testing::standinTookBatch(batch, std::chrono::seconds(5))) return;
        ignoreFailure([&] {
            auto admin = factory.createConnection();
            admin->open(standinConnectionString("sa", "Secret1", std::nullopt));
            admin->execute("alter database SCRATCH set offline with rollback immediate");
            cut = true;
            admin->execute("alter database SCRATCH set online");
        });
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(connection->execute(batch), RunError);
    other.join();
    EXPECT_TRUE(cut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    std::vector<std::string> errors = providerErrors(*connection);
    // The answers held for the batch's end are lost with the link; what remains is its loss.
    EXPECT_EQ(errors, std::vector<std::string>{"Unexpected EOF from the server"});
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
