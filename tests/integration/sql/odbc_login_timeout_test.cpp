#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/odbc/odbc_connection.h"

namespace wf {
namespace {

// A loopback port that takes connections and never says a word.
class SilentListener {
public:
    SilentListener() {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(socket_, 4) != 0 ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("no loopback listener");
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(socket_); }
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

TEST(OdbcLoginTimeout, AServerThatNeverAnswersFailsTheOpenAfterFifteenSeconds) {
    SilentListener silent;
    OdbcConnectionFactory factory;
    auto connection = factory.createConnection();
    auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(connection->open("Data Source=127.0.0.1," + std::to_string(silent.port()) + ";User ID=sa;Password=x"),
                 RunError);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::seconds(kLoginTimeoutSeconds - 1));
    EXPECT_LT(waited, std::chrono::seconds(kLoginTimeoutSeconds + 5));
}

}  // namespace
}  // namespace wf
