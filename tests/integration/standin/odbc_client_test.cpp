// The FreeTDS ODBC driver through unixODBC against the stand-in: logins,
// time-outs and the server cursor behind an updatable record set.
#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>
#include <string>

#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

using wf::testing::StandinProcess;

class Odbc {
public:
    Odbc() {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
        SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
    }
    ~Odbc() {
        if (statement_) SQLFreeHandle(SQL_HANDLE_STMT, statement_);
        if (connected_) SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }

    bool connect(int port, const std::string& password, const std::string& database = "ACME") {
        std::string text = "Driver=FreeTDS;Server=127.0.0.1;Port=" + std::to_string(port) +
                           ";TDS_Version=7.4;UID=sa;PWD=" + password + ";Database=" + database;
        SQLRETURN rc = SQLDriverConnect(connection_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS, nullptr, 0,
                                        nullptr, SQL_DRIVER_NOPROMPT);
        connected_ = SQL_SUCCEEDED(rc);
        if (!connected_) return false;
        SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement_);
        return true;
    }

    // The first diagnostic of the connection or statement: state and text.
    std::pair<std::string, std::string> diagnostic(bool ofStatement) {
        SQLCHAR state[6] = {};
        SQLCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLGetDiagRec(ofStatement ? SQL_HANDLE_STMT : SQL_HANDLE_DBC, ofStatement ? statement_ : connection_, 1, state, &native,
                      message, sizeof message, &length);
        return {reinterpret_cast<char*>(state), reinterpret_cast<char*>(message)};
    }

    SQLHSTMT statement() { return statement_; }

    SQLRETURN execute(const std::string& text) {
        return SQLExecDirect(statement_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS);
    }

    // Column 2 of every row of `query`.
    std::vector<std::string> secondColumn(const std::string& query) {
        std::vector<std::string> values;
        if (!SQL_SUCCEEDED(execute(query))) return {"failed: " + diagnostic(true).second};
        while (SQL_SUCCEEDED(SQLFetch(statement_))) {
            char value[256] = {};
            SQLLEN length = 0;
            SQLGetData(statement_, 2, SQL_C_CHAR, value, sizeof value, &length);
            values.push_back(length == SQL_NULL_DATA ? "NULL" : value);
        }
        SQLCloseCursor(statement_);
        return values;
    }

private:
    SQLHENV environment_ = SQL_NULL_HANDLE;
    SQLHDBC connection_ = SQL_NULL_HANDLE;
    SQLHSTMT statement_ = SQL_NULL_HANDLE;
    bool connected_ = false;
};

class StandinOdbcClientTest : public ::testing::Test {
protected:
    StandinOdbcClientTest() {
        std::ofstream(config_) << "login sa 'pw'\n"
                                  "database ACME\n"
                                  "table ACME.DB_CTL (KEY_ID, SHARED_DIR)\n"
                                  "row ACME.DB_CTL (1, 'C:\\old\\')\n"
                                  "row ACME.DB_CTL (2, 'untouched')\n";
        server_.emplace(std::vector<std::string>{"--config", config_});
    }
    ~StandinOdbcClientTest() override { std::remove(config_.c_str()); }

    std::string config_ = ::testing::TempDir() + "standin-odbc-" + std::to_string(::getpid()) + ".conf";
    std::optional<StandinProcess> server_;
};

TEST_F(StandinOdbcClientTest, WrongPasswordFailsAtConnectWithTheServersText) {
    Odbc odbc;
    ASSERT_FALSE(odbc.connect(server_->port(), "nope"));
    auto [state, text] = odbc.diagnostic(false);
    EXPECT_EQ(text, "[FreeTDS][SQL Server]Login failed for user 'sa'.");
}

TEST_F(StandinOdbcClientTest, PositionedUpdateThroughADynamicCursorIsSeenByAnotherConnection) {
    Odbc odbc;
    ASSERT_TRUE(odbc.connect(server_->port(), "pw"));
    SQLHSTMT statement = odbc.statement();
    SQLSetStmtAttr(statement, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_DYNAMIC), 0);
    SQLSetStmtAttr(statement, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_LOCK), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(odbc.execute("select * from DB_CTL where KEY_ID = 1"))) << odbc.diagnostic(true).second;
    char keyId[32] = {}, sharedDir[256] = {};
    SQLLEN keyLength = 0, dirLength = 0;
    SQLBindCol(statement, 1, SQL_C_CHAR, keyId, sizeof keyId, &keyLength);
    SQLBindCol(statement, 2, SQL_C_CHAR, sharedDir, sizeof sharedDir, &dirLength);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(statement))) << odbc.diagnostic(true).second;
    EXPECT_STREQ(sharedDir, "C:\\old\\");
    std::snprintf(sharedDir, sizeof sharedDir, "D:\\CPSQL\\");
    dirLength = SQL_NTS;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetPos(statement, 1, SQL_UPDATE, SQL_LOCK_NO_CHANGE))) << odbc.diagnostic(true).second;
    EXPECT_EQ(SQLFetch(statement), SQL_NO_DATA);
    SQLCloseCursor(statement);

    Odbc other;
    ASSERT_TRUE(other.connect(server_->port(), "pw"));
    EXPECT_EQ(other.secondColumn("select * from DB_CTL"), (std::vector<std::string>{"D:\\CPSQL\\", "untouched"}));
}

TEST_F(StandinOdbcClientTest, QueryTimeOutCancelsTheStatementAndKeepsTheConnection) {
    Odbc odbc;
    ASSERT_TRUE(odbc.connect(server_->port(), "pw"));
    SQLSetStmtAttr(odbc.statement(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SQL_SUCCEEDED(odbc.execute("waitfor delay '00:00:20'")));
    EXPECT_EQ(odbc.diagnostic(true).first, "HYT00");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    SQLSetStmtAttr(odbc.statement(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(0), 0);
    EXPECT_EQ(odbc.secondColumn("select * from DB_CTL where KEY_ID = 2"), std::vector<std::string>{"untouched"});
}

}  // namespace
