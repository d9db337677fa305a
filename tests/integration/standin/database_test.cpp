// Databases on disk: create and drop, offline and online, detach and attach,
// SYSFILES, and the sessions that a database operation affects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/socket.h>
#include <unistd.h>

#include "session_directory.h"
#include "tds_test_client.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

namespace fs = std::filesystem;
using wf::standin::testing::Reply;
using wf::standin::testing::TdsTestClient;
using wf::testing::StandinProcess;

constexpr std::uint16_t kError = 0x02;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<int> numbers(const Reply& reply) {
    std::vector<int> result;
    for (const auto& message : reply.messages) result.push_back(message.number);
    return result;
}

class StandinDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_ = fs::temp_directory_path() / ("standin-db-" + std::to_string(::getpid()));
        fs::create_directories(scratch_ / "host");
        std::ofstream(scratch_ / "standin.conf")
            << "login sa 'pw'\n"
               "database ACME FILES '" << (scratch_ / "host" / "ACME.mdf").string() << "' '"
            << (scratch_ / "host" / "ACME_log.ldf").string() << "'\n"
               "table ACME.DB_CTL (KEY_ID, SHARED_DIR)\n"
               "row ACME.DB_CTL (1, 'C:\\old\\')\n";
    }

    void start(std::vector<std::string> extra = {}) {
        std::vector<std::string> arguments{"--config", (scratch_ / "standin.conf").string(), "--data-dir",
                                           (scratch_ / "data").string()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        server_.emplace(arguments);
    }

    void TearDown() override {
        server_.reset();
        fs::remove_all(scratch_);
    }

    std::unique_ptr<TdsTestClient> connect(const std::string& database = "") {
        auto client = std::make_unique<TdsTestClient>(server_->port());
        client->logIn("sa", "pw", database);
        return client;
    }

    fs::path scratch_;
    std::optional<StandinProcess> server_;
};

TEST_F(StandinDatabaseTest, EmptyDatabaseIsDefinedAsTheInstallerDoes) {
    start();
    auto other = connect("ACME");
    auto installer = connect();
    for (const char* statement : {"use Master", "alter database \"ACME\" set offline with rollback immediate",
                                  "alter database \"ACME\" set online", "DROP DATABASE \"ACME\"", "CREATE DATABASE \"ACME\""}) {
        Reply reply = installer->batch(statement);
        EXPECT_TRUE(reply.messages.empty() || reply.messages[0].number == 5701) << statement << ": " << reply.messages[0].text;
    }
    EXPECT_TRUE(other->closedWithin(std::chrono::seconds(2)));
    EXPECT_FALSE(fs::exists(scratch_ / "host" / "ACME.mdf"));  // dropped online: files deleted
    EXPECT_TRUE(fs::exists(scratch_ / "data" / "ACME.mdf"));
    EXPECT_TRUE(fs::exists(scratch_ / "data" / "ACME_log.ldf"));
    EXPECT_EQ(installer->batch("select * from ACME..DB_CTL").messages.at(0).number, 208);
}

TEST_F(StandinDatabaseTest, FailuresCarryTheServersNumbersAndSeverities) {
    start();
    auto client = connect();
    Reply drop = client->batch("DROP DATABASE \"NOPE\"");
    ASSERT_EQ(numbers(drop), std::vector<int>{3701});
    EXPECT_EQ(drop.messages[0].severity, 11);
    EXPECT_EQ(drop.doneStatuses, std::vector<std::uint16_t>{kError});
    Reply alter = client->batch("alter database \"NOPE\" set offline with rollback immediate");
    EXPECT_EQ(numbers(alter), (std::vector<int>{5011, 5069}));
    EXPECT_EQ(alter.messages[0].severity, 14);
    EXPECT_EQ(numbers(client->batch("CREATE DATABASE acme")), std::vector<int>{1801});
    EXPECT_EQ(numbers(client->batch("sp_detach_db \"NOPE\"")), std::vector<int>{15010});

    auto user = connect("ACME");
    EXPECT_EQ(numbers(client->batch("DROP DATABASE ACME")), std::vector<int>{3702});
    EXPECT_EQ(numbers(client->batch("exec sp_detach_db 'ACME'")), std::vector<int>{3703});
    EXPECT_EQ(numbers(client->batch("alter database ACME set offline")), (std::vector<int>{5061, 5069}));

    // A dropped database's files are in the way of a new one.
    client->batch("CREATE DATABASE NEWDB");
    client->batch("alter database NEWDB set offline");
    client->batch("DROP DATABASE NEWDB");  // offline: files stay
    EXPECT_TRUE(fs::exists(scratch_ / "data" / "NEWDB.mdf"));
    EXPECT_EQ(numbers(client->batch("CREATE DATABASE NEWDB")), (std::vector<int>{5170, 1802}));
}

TEST_F(StandinDatabaseTest, OfflineDatabaseRefusesLoginsUseAndQueriesButIsListed) {
    start();
    auto client = connect();
    client->batch("alter database ACME set offline with rollback immediate");
    Reply listed = client->batch("select name, state_desc from sys.databases where name = N'acme'");
    ASSERT_EQ(listed.rows.size(), 1u);
    EXPECT_EQ(listed.rows[0], (std::vector<std::optional<std::string>>{"ACME", "OFFLINE"}));
    EXPECT_TRUE(client->batch("select name from sys.databases where name = N'NOPE'").rows.empty());
    TdsTestClient late(server_->port());
    EXPECT_EQ(numbers(late.logIn("sa", "pw", "ACME")), (std::vector<int>{4060, 18456}));
    EXPECT_EQ(numbers(client->batch("use ACME")), std::vector<int>{942});
    EXPECT_EQ(numbers(client->batch("select * from ACME..DB_CTL")), std::vector<int>{942});
    client->batch("alter database ACME set online");
    EXPECT_EQ(client->batch("select * from ACME..DB_CTL").rows.size(), 1u);
}

// Taking a database offline ends the other sessions in it at once, so that the
// detach sent right after it does not find them still there while the server
// reaps them.
TEST(StandinSessionDirectory, EndedSessionsAreInNoDatabaseBeforeTheyAreReaped) {
    int sockets[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    wf::standin::SessionDirectory sessions;
    int installer = sessions.add(-1, "master");
    int user = sessions.add(sockets[0], "ACME");
    sessions.endSessionsIn("ACME", installer);
    EXPECT_EQ(sessions.countIn("ACME", installer), 0);
    char byte;
    EXPECT_EQ(::read(sockets[1], &byte, 1), 0) << "the user's connection is cut";
    sessions.remove(user);
    ::close(sockets[0]);
    ::close(sockets[1]);
}

TEST_F(StandinDatabaseTest, DemoDataIsInstalledByDetachCopyAttach) {
    start();
    auto reader = connect("ACME");
    Reply files = reader->batch("select * from SYSFILES");
    reader.reset();
    ASSERT_EQ(files.rows.size(), 2u);
    std::string dataFile = files.rows[0][8].value_or("");
    std::string logFile = files.rows[1][8].value_or("");
    EXPECT_EQ(dataFile.size(), 260u);  // fixed width, padded with blanks
    EXPECT_EQ(dataFile.substr(0, dataFile.find_last_not_of(' ') + 1), (scratch_ / "host" / "ACME.mdf").string());
    EXPECT_EQ(files.rows[1][5], "66");  // a log file on disk

    auto installer = connect();
    installer->batch("use Master");
    installer->batch("alter database \"ACME\" set offline with rollback immediate");
    ASSERT_TRUE(installer->batch("sp_detach_db \"ACME\"").messages.empty());
    EXPECT_NE(readFile(scratch_ / "host" / "ACME.mdf").find("row [DB_CTL] (N'1', N'C:\\old\\');"), std::string::npos);

    std::ofstream(scratch_ / "host" / "ACME.mdf", std::ios::trunc)
        << "-- sqlserver-standin data file\ntable [DB_CTL] ([KEY_ID], [SHARED_DIR]);\nrow [DB_CTL] (N'1', N'C:\\demo\\');\n";
    std::string dataPath = (scratch_ / "host" / "ACME.mdf").string();
    std::string logPath = (scratch_ / "host" / "ACME_log.ldf").string();
    Reply attach = installer->batch("sp_attach_db 'ACME', '" + dataPath + "', '" + logPath + "'");
    ASSERT_TRUE(attach.messages.empty()) << attach.messages[0].text;
    EXPECT_EQ(installer->batch("select SHARED_DIR from ACME..DB_CTL").rows.at(0).at(0), "C:\\demo\\");
}

TEST_F(StandinDatabaseTest, AttachChecksItsFiles) {
    start({"--client-path-prefix", "Z:"});
    auto client = connect();
    std::string dir = "Z:" + scratch_.string() + "/host/";
    for (char& c : dir) c = c == '/' ? '\\' : c;
    client->batch("alter database ACME set offline");
    client->batch("sp_detach_db ACME");

    Reply missing = client->batch("sp_attach_db 'ACME', '" + dir + "NONE.mdf', '" + dir + "ACME_log.ldf'");
    EXPECT_EQ(numbers(missing), (std::vector<int>{5120, 1813}));
    EXPECT_NE(missing.messages.at(0).text.find("\"" + dir + "NONE.mdf\""), std::string::npos) << missing.messages[0].text;
    EXPECT_EQ(missing.doneStatuses, std::vector<std::uint16_t>{kError});

    std::ofstream(scratch_ / "host" / "BAD.mdf") << "not a database";
    EXPECT_EQ(numbers(client->batch("sp_attach_db 'ACME', '" + dir + "BAD.mdf', '" + dir + "ACME_log.ldf'")),
              (std::vector<int>{5172, 1813}));
    EXPECT_EQ(numbers(client->batch("sp_attach_db 'ACME', '" + dir + "ACME.mdf', '" + dir + "ACME_log.ldf'")),
              std::vector<int>{});
    Reply files = client->batch("select filename from ACME.dbo.sysfiles");
    EXPECT_EQ(files.rows.at(0).at(0)->substr(0, dir.size() + 8), dir + "ACME.mdf");
}

}  // namespace
