// Replies of the stand-in seen token by token: message order, DONE bits,
// recording, attention, and broken clients.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tds_test_client.h"
#include "tools/automation/poll_for.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

namespace fs = std::filesystem;
using wf::standin::testing::Reply;
using wf::standin::testing::TdsTestClient;
using wf::testing::StandinProcess;

constexpr std::uint16_t kMore = 0x01, kError = 0x02, kCount = 0x10, kAttention = 0x20;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class StandinSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_ = fs::temp_directory_path() / ("standin-session-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
        std::ofstream(scratch_ / "standin.conf")
            << "database ACME\n"
               "table ACME.DB_CTL (KEY_ID, SHARED_DIR)\n"
               "row ACME.DB_CTL (1, 'C:\\old')\n"
               "fail 'sp_detach_db' (3703, 16, 'Cannot detach the database ''ACME'' because it is currently in use.'),"
               " (5069, 16, 'ALTER DATABASE statement failed.')\n"
               "delay 'slow statement' 3000\n"
               "table ACME.COMPANIES (INTERID, CMPNYNAM)\n"
               "row ACME.COMPANIES ('THREE', 'zeta')\n"
               "row ACME.COMPANIES ('ONE', 'Alpha')\n"
               "row ACME.COMPANIES ('DYNAMICS', 'beta')\n"
               "row ACME.COMPANIES ('TWO', 'alpha')\n"
               "row ACME.COMPANIES (NULL, NULL)\n";
        server_.emplace(std::vector<std::string>{"--login", "sa:pw", "--config", (scratch_ / "standin.conf").string(),
                                                 "--record-dir", (scratch_ / "record").string()});
    }

    void TearDown() override {
        server_.reset();
        fs::remove_all(scratch_);
    }

    std::unique_ptr<TdsTestClient> loggedIn(const std::string& database = "") {
        auto client = std::make_unique<TdsTestClient>(server_->port());
        Reply login = client->logIn("sa", "pw", database);
        EXPECT_TRUE(login.loginAcknowledged);
        return client;
    }

    // True once the server has taken the first batch sent after logging in to
    // master: it records a batch before running it.
    bool firstBatchTaken() {
        return wf::automation::pollFor(std::chrono::seconds(5),
                                       [&] { return fs::exists(scratch_ / "record" / "master" / "0001.sql"); });
    }

    fs::path scratch_;
    std::optional<StandinProcess> server_;
};

TEST_F(StandinSessionTest, LoginReplyNamesTheDatabaseAndEndsWithOneDone) {
    TdsTestClient client(server_->port());
    Reply login = client.logIn("SA", "pw", "acme");
    EXPECT_TRUE(login.loginAcknowledged);
    EXPECT_EQ(login.databaseChanges, std::vector<std::string>{"ACME"});
    ASSERT_EQ(login.messages.size(), 2u);
    EXPECT_EQ(login.messages[0].number, 5701);
    EXPECT_EQ(login.messages[0].text, "Changed database context to 'ACME'.");
    EXPECT_FALSE(login.messages[0].error);
    EXPECT_EQ(login.messages[1].number, 5703);
    EXPECT_EQ(login.doneStatuses, std::vector<std::uint16_t>{0});
}

TEST_F(StandinSessionTest, FailedLoginAnswersThenCloses) {
    TdsTestClient client(server_->port());
    Reply login = client.logIn("sa", "PW", "");
    EXPECT_FALSE(login.loginAcknowledged);
    ASSERT_EQ(login.messages.size(), 1u);
    EXPECT_EQ(login.messages[0].number, 18456);
    EXPECT_EQ(login.messages[0].severity, 14);
    EXPECT_EQ(login.doneStatuses, std::vector<std::uint16_t>{kError});
    EXPECT_TRUE(client.closedWithin(std::chrono::seconds(2)));
}

TEST_F(StandinSessionTest, RaisedErrorsArriveInOrderWithTheirLines) {
    auto client = loggedIn();
    Reply reply = client->batch("RAISERROR('first', 16, 1)\nselect * from ACME.dbo.DB_CTL\nRAISERROR(N'second 100%%', 11, 7)");
    ASSERT_EQ(reply.messages.size(), 2u);
    EXPECT_EQ(reply.messages[0].number, 50000);
    EXPECT_EQ(reply.messages[0].text, "first");
    EXPECT_EQ(reply.messages[0].line, 1);
    EXPECT_EQ(reply.messages[1].text, "second 100%");
    EXPECT_EQ(reply.messages[1].severity, 11);
    EXPECT_EQ(reply.messages[1].state, 7);
    EXPECT_EQ(reply.messages[1].line, 3);
    EXPECT_EQ(reply.rows.size(), 1u);
    EXPECT_EQ(reply.doneStatuses, (std::vector<std::uint16_t>{kMore | kError, kMore | kCount, kError}));
}

TEST_F(StandinSessionTest, OrderBySortsAsTheCaseInsensitiveCollation) {
    auto client = loggedIn("ACME");
    std::vector<std::string> order;
    for (const auto& row : client->batch("select * from COMPANIES order by CMPNYNAM, INTERID desc").rows) {
        order.push_back(row.at(0).value_or("NULL"));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"NULL", "TWO", "ONE", "DYNAMICS", "THREE"}));
}

TEST_F(StandinSessionTest, ThrowEndsTheBatch) {
    auto client = loggedIn();
    Reply reply = client->batch("THROW 50001, 'stop here', 3; RAISERROR('never', 16, 1)");
    ASSERT_EQ(reply.messages.size(), 1u);
    EXPECT_EQ(reply.messages[0].number, 50001);
    EXPECT_EQ(reply.messages[0].severity, 16);
    EXPECT_EQ(reply.doneStatuses, std::vector<std::uint16_t>{kError});
}

TEST_F(StandinSessionTest, ScriptedFailureReportsEveryErrorAndRunsNothing) {
    auto client = loggedIn();
    Reply reply = client->batch("exec SP_DETACH_DB \"ACME\" select * from ACME..DB_CTL");
    ASSERT_EQ(reply.messages.size(), 2u);
    EXPECT_EQ(reply.messages[0].number, 3703);
    EXPECT_EQ(reply.messages[1].number, 5069);
    EXPECT_TRUE(reply.rows.empty());
    EXPECT_EQ(reply.doneStatuses, std::vector<std::uint16_t>{kError});
}

TEST_F(StandinSessionTest, MissingObjectsGiveTheServersErrors) {
    auto client = loggedIn("ACME");
    EXPECT_EQ(client->batch("select * from NOPE").messages.at(0).text, "Invalid object name 'NOPE'.");
    EXPECT_EQ(client->batch("select NOPE from DB_CTL").messages.at(0).number, 207);
    EXPECT_EQ(client->batch("select * from DB_CTL where NOPE = 1").messages.at(0).number, 207);
    EXPECT_EQ(client->batch("use NOPE").messages.at(0).number, 911);
    EXPECT_EQ(client->batch("select * from DB_CTL order by NOPE").messages.at(0).number, 207);
    EXPECT_EQ(client->batch("select * from").messages.at(0).number, 102);
    Reply unclosed = client->batch("select 'abc");
    EXPECT_EQ(unclosed.messages.at(0).text, "Unclosed quotation mark after the character string 'abc'.");
    // The session survives all of them.
    EXPECT_EQ(client->batch("select * from DB_CTL where SHARED_DIR = 'c:\\OLD'").rows.size(), 1u);
}

TEST_F(StandinSessionTest, UnknownStatementsAreAcceptedAndEveryBatchIsRecorded) {
    auto client = loggedIn("ACME");
    std::string create = "CREATE TABLE T (A int) -- comment\r\nGO-less text with ünïcödé";
    Reply reply = client->batch(create);
    EXPECT_TRUE(reply.messages.empty());
    EXPECT_EQ(reply.doneStatuses.back() & kError, 0);
    client->batch("use master");
    client->batch("alter database \"ACME\" set offline with rollback immediate");
    EXPECT_EQ(readFile(scratch_ / "record" / "ACME" / "0001.sql"), create);
    EXPECT_EQ(readFile(scratch_ / "record" / "ACME" / "0002.sql"), "use master");
    EXPECT_EQ(readFile(scratch_ / "record" / "master" / "0001.sql"),
              "alter database \"ACME\" set offline with rollback immediate");
}

TEST_F(StandinSessionTest, AttentionAbandonsWhatTheBatchHasNotFinished) {
    auto client = loggedIn();
    auto start = std::chrono::steady_clock::now();
    client->sendBatch("raiserror('first', 16, 1) raiserror('slow statement', 16, 1) raiserror('third', 16, 1)");
    ASSERT_TRUE(firstBatchTaken());
    client->sendAttention();
    Reply reply = client->readReply();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(reply.messages.size(), 1u);
    EXPECT_EQ(reply.messages[0].text, "first");
    EXPECT_EQ(reply.doneStatuses, (std::vector<std::uint16_t>{kMore | kError, kAttention}));
}

TEST_F(StandinSessionTest, AttentionCancelsAWaitAtOnce) {
    auto client = loggedIn();
    auto start = std::chrono::steady_clock::now();
    client->sendBatch("waitfor delay '00:00:10'");
    ASSERT_TRUE(firstBatchTaken());
    client->sendAttention();
    Reply reply = client->readReply();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(reply.doneStatuses, std::vector<std::uint16_t>{kAttention});
    // The session goes on after the cancel, and a late cancel is acknowledged too.
    EXPECT_EQ(client->batch("select * from ACME..DB_CTL").rows.size(), 1u);
    client->sendAttention();
    EXPECT_EQ(client->readReply().doneStatuses, std::vector<std::uint16_t>{kAttention});
}

TEST_F(StandinSessionTest, ScriptedDelayHoldsTheAnswer) {
    auto client = loggedIn();
    auto start = std::chrono::steady_clock::now();
    Reply reply = client->batch("print 'slow statement'");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2900));
    EXPECT_EQ(reply.doneStatuses, std::vector<std::uint16_t>{0});
}

TEST_F(StandinSessionTest, MalformedClientsAreDroppedAndTheServerStaysUp) {
    {
        TdsTestClient notPreLogin(server_->port());
        notPreLogin.sendRaw(0x01, "garbage");
        EXPECT_TRUE(notPreLogin.closedWithin(std::chrono::seconds(2)));
    }
    {
        TdsTestClient badLogin(server_->port());
        badLogin.preLogin();
        std::string login(94, '\0');
        login[0] = 94;
        login[4] = 0x04, login[7] = 0x74;
        login[40] = static_cast<char>(0xF0);  // user name far outside the message
        login[42] = 10;
        badLogin.sendRaw(0x10, login);
        EXPECT_TRUE(badLogin.closedWithin(std::chrono::seconds(2)));
    }
    {
        TdsTestClient shortHeaders(server_->port());
        shortHeaders.logIn("sa", "pw");
        shortHeaders.sendRaw(0x01, std::string("\xFF\x00\x00\x00", 4));
        EXPECT_TRUE(shortHeaders.closedWithin(std::chrono::seconds(2)));
    }
    auto client = loggedIn();
    EXPECT_EQ(client->batch("select * from ACME..DB_CTL").rows.size(), 1u);
}

TEST_F(StandinSessionTest, RandomRequestsNeverStopTheServer) {
    std::mt19937 random(7);
    std::string headers("\x16\x00\x00\x00\x12\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", 22);
    // Beginnings of valid calls (sp_cursoropen, sp_cursor, a named procedure), then noise.
    std::vector<std::string> starts = {std::string("\xFF\xFF\x02\x00\x00\x00", 6), std::string("\xFF\xFF\x01\x00\x00\x00", 6),
                                       std::string("\x02\x00s\x00p\x00\x00\x00", 8), ""};
    for (int round = 0; round < 200; ++round) {
        TdsTestClient client(server_->port());
        client.logIn("sa", "pw");
        std::string body = starts[round % starts.size()];
        std::size_t noise = random() % 64;
        for (std::size_t i = 0; i < noise; ++i) body.push_back(static_cast<char>(random() % 256));
        client.sendRaw(round % 2 ? 0x03 : 0x01, headers + body);
        try {
            client.readReply();
        } catch (const std::runtime_error&) {
            // The server closed the connection: also a fine answer to noise.
        }
    }
    auto client = loggedIn();
    EXPECT_EQ(client->batch("select * from ACME..DB_CTL").rows.size(), 1u);
}

TEST_F(StandinSessionTest, StopsOnSignalWithStatusZero) {
    auto client = loggedIn();
    client->sendBatch("waitfor delay '00:01:00'");
    ASSERT_TRUE(firstBatchTaken());
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(server_->stop(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
