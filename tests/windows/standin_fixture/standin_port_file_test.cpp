// The stand-in started by the fixture, seen from a Windows program under Wine:
// its ports come from the port file, its TDS listener takes a connection and
// answers a pre-login, and its SQL Browser answers a unicast request.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

struct Ports {
    int tds = 0;
    int browser = 0;
};

Ports readPorts() {
    Ports ports;
    std::ifstream file(WRENFOLD_STANDIN_PORT_FILE);
    file >> ports.tds >> ports.browser;
    return ports;
}

class StandinWinsockTest : public ::testing::Test {
protected:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
        ports_ = readPorts();
        ASSERT_GT(ports_.tds, 0) << "no port in " << WRENFOLD_STANDIN_PORT_FILE;
    }
    void TearDown() override { WSACleanup(); }

    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(port));
        return address;
    }

    static void setTimeout(SOCKET socket) {
        DWORD milliseconds = 5000;
        setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&milliseconds), sizeof milliseconds);
    }

    Ports ports_;
};

TEST_F(StandinWinsockTest, TdsListenerAnswersAPreLogin) {
    SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = loopback(ports_.tds);
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    setTimeout(client);
    const char preLogin[] = {0x12, 0x01, 0x00, 0x14, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x06,
                             0x00, 0x06, static_cast<char>(0xFF), 0x0F, 0x00, 0x07, static_cast<char>(0xD0), 0x00, 0x00};
    ASSERT_EQ(send(client, preLogin, sizeof preLogin, 0), static_cast<int>(sizeof preLogin));
    char reply[512];
    int got = recv(client, reply, sizeof reply, 0);
    closesocket(client);
    ASSERT_GE(got, 8);
    EXPECT_EQ(reply[0], 0x04);  // a reply message
    EXPECT_EQ(reply[1], 0x01);  // in one packet
}

TEST_F(StandinWinsockTest, BrowserListsTheDefaultInstance) {
    ASSERT_GT(ports_.browser, 0);
    SOCKET client = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    setTimeout(client);
    sockaddr_in address = loopback(ports_.browser);
    const char request = 0x03;
    sendto(client, &request, 1, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
    char answer[4096];
    int got = recv(client, answer, sizeof answer, 0);
    closesocket(client);
    ASSERT_GT(got, 3);
    EXPECT_EQ(answer[0], 0x05);
    std::string text(answer + 3, static_cast<std::size_t>(got - 3));
    EXPECT_NE(text.find("InstanceName;MSSQLSERVER;"), std::string::npos) << text;
    EXPECT_NE(text.find(";tcp;" + std::to_string(ports_.tds) + ";;"), std::string::npos) << text;
}

}  // namespace
