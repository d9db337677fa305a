#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "installer/dialogs/server_list.h"
#include "installer/dialogs/sql_browser_answer.h"

namespace wf {
namespace {

using namespace std::chrono_literals;

std::string answer(const std::string& records) {
    std::string datagram = "\x05";
    datagram += static_cast<char>(records.size() & 0xFF);
    datagram += static_cast<char>(records.size() >> 8);
    return datagram + records;
}

std::string record(const std::string& server, const std::string& instance) {
    return "ServerName;" + server + ";InstanceName;" + instance + ";IsClustered;No;Version;15.0.2000.5;tcp;1433;;";
}

// A socket whose answers arrive at scripted times after the request, on a clock
// that only moves while the list waits for them.
class ScriptedSocket : public DatagramSocket {
public:
    struct Arrival {
        std::chrono::milliseconds after;
        std::string datagram;
    };
    explicit ScriptedSocket(std::vector<Arrival> arrivals) : arrivals_(std::move(arrivals)) {}

    void connect(const std::string& host, std::uint16_t port) override {
        connected = host + ":" + std::to_string(port);
    }
    void sendTo(const std::string& host, std::uint16_t port, std::string_view data, bool broadcast) override {
        sent = host + ":" + std::to_string(port) + (broadcast ? " broadcast " : " ") + std::string(data);
    }
    std::optional<std::string> receive(std::chrono::milliseconds timeout) override {
        if (next_ == arrivals_.size() || arrivals_[next_].after > elapsed + timeout) {
            elapsed += timeout;
            return std::nullopt;
        }
        elapsed = std::max(elapsed, arrivals_[next_].after);
        return arrivals_[next_++].datagram;
    }
    SteadyNow clock() {
        return [this] { return std::chrono::steady_clock::time_point(elapsed); };
    }

    std::string connected;
    std::string sent;
    std::chrono::milliseconds elapsed{0};

private:
    std::vector<Arrival> arrivals_;
    std::size_t next_ = 0;
};

std::vector<std::string> collectFromLoopback(ScriptedSocket& socket, const char* timeouts = "1000,150,3000") {
    return collectServerNames(socket, *sqlBrowserSettingsFrom("127.0.0.1:5000", timeouts), socket.clock());
}

TEST(SqlBrowserAnswerTest, ListsEveryInstanceOfADatagramButNamesTheListCannotShow) {
    const std::string longest(255, 'L');
    std::string records =
        record("HOST", "MSSQLSERVER") + record("HOST", "SQLEXPRESS") +
        "ServerName;HOST;InstanceName;DEV;IsClustered;No;Version;9.0;np;\\\\HOST\\pipe\\sql\\query;;" +
        record(longest, "MSSQLSERVER") + record(longest, "X") + record("HOST", "TAB\tBED") + record("HOST", "DEL\x7F") +
        record("HOST", "LAST");
    EXPECT_EQ(serverNamesInAnswer(answer(records)),
              (std::vector<std::string>{"HOST", "HOST\\SQLEXPRESS", "HOST\\DEV", longest, "HOST\\LAST"}));
}

TEST(SqlBrowserAnswerTest, RejectsMalformedAndTruncatedAnswers) {
    std::string good = answer(record("HOST", "MSSQLSERVER"));
    for (const std::string& bad :
         {std::string(), std::string("\x05\x01", 2), "\x04" + good.substr(1), good.substr(0, good.size() - 1),
          good + "x", answer("ServerName;HOST;;"), answer(record("HOST", "A") + "ServerName;HOST;InstanceName;B"),
          answer("Version;1;;"), answer(";;"), answer(record(std::string("NUL\0", 4), "MSSQLSERVER"))}) {
        EXPECT_FALSE(serverNamesInAnswer(bad).has_value()) << bad;
    }
}

TEST(SqlBrowserSettingsTest, ReadsTargetAndTimesAndRefusesUnreadableOnes) {
    SqlBrowserSettings settings = *sqlBrowserSettingsFrom("127.0.0.1:5000", "10,20,30");
    EXPECT_EQ(settings.host, "127.0.0.1");
    EXPECT_EQ(settings.port, 5000);
    EXPECT_FALSE(settings.broadcast);
    EXPECT_EQ(settings.firstAnswer, 10ms);
    EXPECT_EQ(settings.afterAnswer, 20ms);
    EXPECT_EQ(settings.total, 30ms);

    SqlBrowserSettings unset = *sqlBrowserSettingsFrom(nullptr, nullptr);
    EXPECT_TRUE(unset.broadcast);
    EXPECT_EQ(unset.port, 1434);
    EXPECT_EQ(unset.total, 15000ms);

    for (const char* target : {"", "127.0.0.1", "localhost:1434", "127.0.0.1:0", "127.0.0.1:70000", "1.2.3:4",
                               "1.2.3.256:4", "127.0.0.1:12a"}) {
        EXPECT_FALSE(sqlBrowserSettingsFrom(target, nullptr)) << target;
    }
    for (const char* timeouts : {"", "1,2", "1,2,3,4", "1,,3", "-1,2,3"}) {
        EXPECT_FALSE(sqlBrowserSettingsFrom("127.0.0.1:1", timeouts)) << timeouts;
    }
}

TEST(ServerListTest, CollectsTwoServersSortedOnceEachAndSkipsMalformedAnswers) {
    ScriptedSocket socket({{0ms, answer(record("ZED", "MSSQLSERVER") + record("ZED", "SQLEXPRESS"))},
                           {0ms, "\x05garbage"},
                           {0ms, answer(record("ABLE", "MSSQLSERVER"))},
                           {0ms, answer(record("ZED", "MSSQLSERVER"))}});
    EXPECT_EQ(collectFromLoopback(socket), (std::vector<std::string>{"ABLE", "ZED", "ZED\\SQLEXPRESS"}));
    EXPECT_EQ(socket.connected, "127.0.0.1:5000") << "only the target's datagrams are read";
    EXPECT_EQ(socket.sent, "127.0.0.1:5000 \x03");

    ScriptedSocket everyServer({});
    collectServerNames(everyServer, *sqlBrowserSettingsFrom(nullptr, "10,10,10"), everyServer.clock());
    EXPECT_EQ(everyServer.connected, "") << "tied to the broadcast address, it would read no answer";
}

TEST(ServerListTest, KeepsTheFirstThousandNamesAndWaitsNoLongerThen) {
    std::string records[3];
    std::vector<std::string> names;
    for (int i = 0; i < 1200; ++i) {
        names.push_back("S" + std::to_string(10000 + i));
        records[i / 400] += record(names.back(), "MSSQLSERVER");
    }
    ScriptedSocket socket({{0ms, answer(records[0])}, {100ms, answer(records[1])}, {200ms, answer(records[2])}});
    names.resize(1000);
    EXPECT_EQ(collectFromLoopback(socket), names);
    EXPECT_EQ(socket.elapsed, 200ms);
}

TEST(ServerListTest, StopsWaitingAfterTheTotalTime) {
    std::vector<ScriptedSocket::Arrival> steady;
    for (int i = 1; i <= 20; ++i) steady.push_back({i * 50ms, answer(record("HOST", "MSSQLSERVER"))});
    ScriptedSocket socket(steady);
    EXPECT_EQ(collectFromLoopback(socket, "1000,200,300"), (std::vector<std::string>{"HOST"}));
    EXPECT_EQ(socket.elapsed, 300ms) << "an answer every 50 ms would keep it waiting longer";
}

TEST(ServerListTest, AnswersAfterTheQuietTimeAreNotWaitedFor) {
    ScriptedSocket socket({{300ms, answer(record("FIRST", "MSSQLSERVER"))}, {600ms, answer(record("LATE", "MSSQLSERVER"))}});
    EXPECT_EQ(collectFromLoopback(socket, "1000,50,3000"), (std::vector<std::string>{"FIRST"}));
    EXPECT_EQ(socket.elapsed, 350ms);
}

TEST(GetServerListTest, AnUnreadableTargetSendsNothingAndGivesOneEmptyName) {
    ::setenv("WRENFOLD_SQL_BROWSER", "not a host", 1);
    EXPECT_EQ(GetServerList(), std::vector<std::string>{""});
    ::unsetenv("WRENFOLD_SQL_BROWSER");
}

}  // namespace
}  // namespace wf
