// Server cursors called directly: fetch directions, and the failures a driver
// never provokes on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tds_test_client.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

using wf::standin::testing::Reply;
using wf::standin::testing::RpcArgument;
using wf::standin::testing::TdsTestClient;
using wf::testing::StandinProcess;

constexpr std::uint16_t kCursor = 1, kOpen = 2, kFetch = 7, kClose = 9;
constexpr int kFirst = 1, kNext = 2, kPrevious = 4, kLast = 8, kAbsolute = 0x10;

RpcArgument integer(std::int32_t value, bool output = false) { return {RpcArgument::Int, value, "", 0, output}; }
RpcArgument text(const std::string& value) { return {RpcArgument::Text, 0, value, 0, false}; }

class StandinCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(config_) << "login sa 'pw'\n"
                                  "database ACME\n"
                                  "table ACME.T (K, V)\n"
                                  "row ACME.T ('1', 'one')\n"
                                  "row ACME.T ('2', 'two')\n"
                                  "row ACME.T ('3', 'three')\n"
                                  "table ACME.N (ID IDENTITY, V)\n"
                                  "row ACME.N ('7', 'seven')\n";
        server_.emplace(std::vector<std::string>{"--config", config_});
        client_ = std::make_unique<TdsTestClient>(server_->port());
        client_->logIn("sa", "pw", "ACME");
    }
    void TearDown() override { std::filesystem::remove(config_); }

    std::int32_t open(const std::string& statement) {
        Reply reply = client_->rpc(kOpen, {integer(0, true), text(statement), integer(2, true), integer(0x2002, true),
                                           integer(0, true)});
        EXPECT_EQ(reply.columns, (std::vector<std::string>{"K", "V"}));
        EXPECT_EQ(reply.returnValues.size(), 4u);
        return reply.returnValues.empty() ? 0 : reply.returnValues[0];
    }

    std::vector<std::string> fetch(std::int32_t handle, int type, int rowNumber, int rows) {
        Reply reply = client_->rpc(kFetch, {integer(handle), integer(type), integer(rowNumber), integer(rows)});
        std::vector<std::string> keys;
        for (const auto& row : reply.rows) keys.push_back(row.at(0).value_or("NULL"));
        return keys;
    }

    std::string config_ = ::testing::TempDir() + "standin-cursor-" + std::to_string(::getpid()) + ".conf";
    std::optional<StandinProcess> server_;
    std::unique_ptr<TdsTestClient> client_;
};

TEST_F(StandinCursorTest, FetchesInEveryDirectionAndEndsEmpty) {
    std::int32_t handle = open("select * from T");
    EXPECT_EQ(fetch(handle, kNext, 0, 2), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(fetch(handle, kNext, 0, 2), std::vector<std::string>{"3"});
    EXPECT_EQ(fetch(handle, kNext, 0, 2), std::vector<std::string>{});
    EXPECT_EQ(fetch(handle, kFirst, 0, 1), std::vector<std::string>{"1"});
    EXPECT_EQ(fetch(handle, kLast, 0, 1), std::vector<std::string>{"3"});
    EXPECT_EQ(fetch(handle, kPrevious, 0, 1), std::vector<std::string>{"2"});
    EXPECT_EQ(fetch(handle, kAbsolute, 1, 3), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(client_->rpc(kFetch, {integer(handle), integer(0x40), integer(0), integer(1)}).messages.at(0).number, 16902);
}

TEST_F(StandinCursorTest, UpdateReachesOnlyTheFetchedRow) {
    std::int32_t handle = open("select * from T where K = 2");
    ASSERT_EQ(fetch(handle, kNext, 0, 1), std::vector<std::string>{"2"});
    Reply update = client_->rpc(kCursor, {integer(handle), integer(0x21), integer(1), text("T"), integer(0), text("deux")});
    EXPECT_TRUE(update.messages.empty());
    // Positional values follow the cursor's columns: K then V.
    Reply all = client_->batch("select V from T");
    ASSERT_EQ(all.rows.size(), 3u);
    EXPECT_EQ(all.rows[1][0], "deux");
    EXPECT_EQ(all.rows[0][0], "one");
    EXPECT_EQ(client_->rpc(kCursor, {integer(handle), integer(0x21), integer(5), text("T")}).messages.at(0).number, 16902);
    EXPECT_EQ(client_->rpc(kCursor, {integer(handle), integer(0x02), integer(1), text("T")}).messages.at(0).number, 16902);
    EXPECT_TRUE(client_->rpc(kClose, {integer(handle)}).messages.empty());
    EXPECT_EQ(client_->rpc(kClose, {integer(handle)}).messages.at(0).number, 16916);
}

TEST_F(StandinCursorTest, AnUpdateOfAnIdentityColumnIsRefusedAsSqlServerRefusesIt) {
    Reply opened = client_->rpc(kOpen, {integer(0, true), text("select * from N"), integer(2, true),
                                        integer(0x2002, true), integer(0, true)});
    ASSERT_FALSE(opened.returnValues.empty());
    std::int32_t handle = opened.returnValues[0];
    ASSERT_EQ(fetch(handle, kNext, 0, 1), std::vector<std::string>{"7"});
    Reply refused = client_->rpc(kCursor, {integer(handle), integer(0x21), integer(1), text("N"), text("8"), text("eight")});
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].number, 8102);
    EXPECT_EQ(refused.messages[0].severity, 16);
    EXPECT_EQ(refused.messages[0].text, "Cannot update identity column 'ID'.");
    EXPECT_EQ(client_->batch("select V from N").rows.at(0).at(0), "seven");
}

TEST_F(StandinCursorTest, BadCallsGetErrorsAndTheSessionGoesOn) {
    EXPECT_EQ(client_->rpc(kFetch, {integer(42), integer(kNext), integer(0), integer(1)}).messages.at(0).number, 16916);
    EXPECT_EQ(client_->rpc(kOpen, {integer(0, true), text("update T set V = 1")}).messages.at(0).number, 102);
    EXPECT_EQ(client_->rpc(kOpen, {integer(0, true), text("select * from NOPE")}).messages.at(0).number, 208);
    EXPECT_EQ(client_->rpc(kOpen, {integer(0, true)}).messages.at(0).number, 16902);
    EXPECT_EQ(client_->rpc(99, {}).messages.at(0).number, 2812);
    Reply unreadable = client_->rpc(kFetch, {RpcArgument{RpcArgument::RawType, 0, "", 0x22, false}});
    EXPECT_EQ(unreadable.messages.at(0).number, 8009);
    EXPECT_EQ(unreadable.doneStatuses.back() & 0x02, 0x02);
    EXPECT_EQ(client_->batch("select * from T").rows.size(), 3u);
}

}  // namespace
