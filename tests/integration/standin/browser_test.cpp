// The SQL Browser answer, read by a UDP client as the server list reads it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "net/browser_responder.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

using wf::testing::StandinProcess;

class UdpClient {
public:
    UdpClient() : socket_(::socket(AF_INET, SOCK_DGRAM, 0)) {}
    ~UdpClient() { ::close(socket_); }

    void send(int port, const std::string& datagram) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        ::sendto(socket_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }

    std::optional<std::string> receive(int milliseconds) {
        pollfd entry{socket_, POLLIN, 0};
        if (::poll(&entry, 1, milliseconds) <= 0) return std::nullopt;
        char buffer[65536];
        ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
        return std::string(buffer, static_cast<std::size_t>(got));
    }

private:
    int socket_;
};

// The record text of an answer after checking its frame: 0x05, little-endian length.
std::string answerText(const std::string& datagram) {
    EXPECT_GE(datagram.size(), 3u);
    EXPECT_EQ(datagram[0], 0x05);
    std::size_t length = static_cast<unsigned char>(datagram[1]) | (static_cast<unsigned char>(datagram[2]) << 8);
    EXPECT_EQ(length, datagram.size() - 3);
    return datagram.substr(3);
}

TEST(StandinBrowserTest, UnicastRequestListsEveryInstanceWithTheTcpPort) {
    StandinProcess server({"--browser-port", "0", "--server-name", "DBHOST", "--instance", "MSSQLSERVER", "--instance",
                           "SQLEXPRESS"});
    ASSERT_TRUE(server.browserPort());
    UdpClient client;
    client.send(*server.browserPort(), std::string(1, '\x03'));
    std::optional<std::string> answer = client.receive(3000);
    ASSERT_TRUE(answer);
    std::string port = std::to_string(server.port());
    EXPECT_EQ(answerText(*answer),
              "ServerName;DBHOST;InstanceName;MSSQLSERVER;IsClustered;No;Version;15.0.2000.5;tcp;" + port +
                  ";;ServerName;DBHOST;InstanceName;SQLEXPRESS;IsClustered;No;Version;15.0.2000.5;tcp;" + port + ";;");
}

TEST(StandinBrowserTest, ExtraDatagramComesFirstAndSilenceMeansNoAnswer) {
    StandinProcess noisy({"--browser-port", "0", "--browser-extra-datagram", "05FFFF41"});
    UdpClient client;
    client.send(*noisy.browserPort(), std::string(1, '\x02'));
    EXPECT_EQ(client.receive(3000), std::string("\x05\xFF\xFF\x41", 4));
    EXPECT_NE(answerText(client.receive(3000).value_or("")).find("InstanceName;MSSQLSERVER;"), std::string::npos);

    StandinProcess silent({"--browser-port", "0", "--browser-silent"});
    client.send(*silent.browserPort(), std::string(1, '\x03'));
    EXPECT_FALSE(client.receive(300));
}

TEST(StandinBrowserAnswerTest, OneInstanceByNameAndNothingForTheUnknown) {
    wf::standin::BrowserSettings settings{"S", {"MSSQLSERVER", "Inst2"}, 1433, {}, false, false};
    EXPECT_EQ(answerText(wf::standin::browserAnswer(std::string("\x04inst2\0", 7), settings)),
              "ServerName;S;InstanceName;Inst2;IsClustered;No;Version;15.0.2000.5;tcp;1433;;");
    EXPECT_EQ(wf::standin::browserAnswer(std::string("\x04other\0", 7), settings), "");
    EXPECT_EQ(wf::standin::browserAnswer(std::string("\x04inst2", 6), settings), "");  // no NUL
    EXPECT_EQ(wf::standin::browserAnswer(std::string("\x03\x03", 2), settings), "");
    EXPECT_EQ(wf::standin::browserAnswer(std::string("\x07", 1), settings), "");
    EXPECT_EQ(wf::standin::browserAnswer("", settings), "");
}

}  // namespace
