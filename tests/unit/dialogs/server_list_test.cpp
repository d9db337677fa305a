#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

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

// A SQL Browser on a loopback port: answers the first request with its datagrams,
// each after `pause`, and remembers the request.
class LoopbackBrowser {
public:
    explicit LoopbackBrowser(std::vector<std::string> datagrams, std::chrono::milliseconds pause = 0ms)
        : handle_(::socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        EXPECT_EQ(::bind(handle_, reinterpret_cast<sockaddr*>(&address), size), 0);
        ::getsockname(handle_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        timeval wait{5, 0};
        ::setsockopt(handle_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        thread_ = std::thread([this, datagrams = std::move(datagrams), pause] {
            char buffer[64];
            sockaddr_in client{};
            socklen_t clientSize = sizeof client;
            ssize_t got = ::recvfrom(handle_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &clientSize);
            if (got <= 0) return;
            request_.assign(buffer, static_cast<std::size_t>(got));
            for (const std::string& datagram : datagrams) {
                std::this_thread::sleep_for(pause);
                ::sendto(handle_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&client), clientSize);
            }
        });
    }
    ~LoopbackBrowser() {
        if (thread_.joinable()) thread_.join();
        ::close(handle_);
    }
    std::string target() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string request() {
        thread_.join();
        return request_;
    }

private:
    int handle_;
    std::uint16_t port_ = 0;
    std::thread thread_;
    std::string request_;
};

SqlBrowserSettings loopbackSettings(const LoopbackBrowser& browser, const char* timeouts = "1000,150,3000") {
    return *sqlBrowserSettingsFrom(browser.target().c_str(), timeouts);
}

TEST(SqlBrowserAnswerTest, ListsEveryInstanceOfADatagram) {
    std::string records = record("HOST", "MSSQLSERVER") + record("HOST", "SQLEXPRESS") +
                          "ServerName;HOST;InstanceName;DEV;IsClustered;No;Version;9.0;np;\\\\HOST\\pipe\\sql\\query;;";
    EXPECT_EQ(serverNamesInAnswer(answer(records)),
              (std::vector<std::string>{"HOST", "HOST\\SQLEXPRESS", "HOST\\DEV"}));
}

TEST(SqlBrowserAnswerTest, RejectsMalformedAndTruncatedAnswers) {
    std::string good = answer(record("HOST", "MSSQLSERVER"));
    for (const std::string& bad : {std::string(), std::string("\x05\x01", 2), "\x04" + good.substr(1),
                                   good.substr(0, good.size() - 1), good + "x", answer("ServerName;HOST;;"),
                                   answer(record("HOST", "A") + "ServerName;HOST;InstanceName;B"),
                                   answer("Version;1;;"), answer(";;")}) {
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
    LoopbackBrowser browser({answer(record("ZED", "MSSQLSERVER") + record("ZED", "SQLEXPRESS")), "\x05garbage",
                             answer(record("ABLE", "MSSQLSERVER")), answer(record("ZED", "MSSQLSERVER"))});
    std::vector<std::string> names = collectServerNames(*openDatagramSocket(), loopbackSettings(browser));
    EXPECT_EQ(names, (std::vector<std::string>{"ABLE", "ZED", "ZED\\SQLEXPRESS"}));
    EXPECT_EQ(browser.request(), "\x03");
}

TEST(ServerListTest, StopsWaitingAfterTheTotalTime) {
    std::vector<std::string> steady(20, answer(record("HOST", "MSSQLSERVER")));
    LoopbackBrowser browser(steady, 50ms);
    auto start = std::chrono::steady_clock::now();
    std::vector<std::string> names = collectServerNames(*openDatagramSocket(), loopbackSettings(browser, "1000,200,300"));
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(names, (std::vector<std::string>{"HOST"}));
    EXPECT_LT(took, 1000ms) << "an answer every 50 ms would keep it waiting longer";
    EXPECT_GE(took, 300ms);
}

TEST(ServerListTest, AnswersAfterTheQuietTimeAreNotWaitedFor) {
    LoopbackBrowser browser({answer(record("FIRST", "MSSQLSERVER")), answer(record("LATE", "MSSQLSERVER"))}, 300ms);
    EXPECT_EQ(collectServerNames(*openDatagramSocket(), loopbackSettings(browser, "1000,50,3000")),
              (std::vector<std::string>{"FIRST"}));
}

TEST(GetServerListTest, AnUnreadableTargetSendsNothingAndGivesOneEmptyName) {
    ::setenv("WRENFOLD_SQL_BROWSER", "not a host", 1);
    EXPECT_EQ(GetServerList(), std::vector<std::string>{""});
    ::unsetenv("WRENFOLD_SQL_BROWSER");
}

}  // namespace
}  // namespace wf
