#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/datagram_socket.h"
#include "common/run_error.h"

namespace wf {
namespace {

[[noreturn]] void raiseSocketError(const char* step) {
    throw RunError(errno, std::string(step) + ": " + std::strerror(errno));
}

sockaddr_in addressOf(const std::string& host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) throw RunError(EINVAL, "Bad address " + host);
    return address;
}

class PosixDatagramSocket : public DatagramSocket {
public:
    PosixDatagramSocket() : handle_(::socket(AF_INET, SOCK_DGRAM, 0)) {
        if (handle_ < 0) raiseSocketError("socket");
    }
    ~PosixDatagramSocket() override { ::close(handle_); }
    PosixDatagramSocket(const PosixDatagramSocket&) = delete;
    PosixDatagramSocket& operator=(const PosixDatagramSocket&) = delete;

    void connect(const std::string& host, std::uint16_t port) override {
        const sockaddr_in address = addressOf(host, port);
        if (::connect(handle_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            raiseSocketError("connect");
    }

    void sendTo(const std::string& host, std::uint16_t port, std::string_view data, bool broadcast) override {
        int allow = broadcast ? 1 : 0;
        if (::setsockopt(handle_, SOL_SOCKET, SO_BROADCAST, &allow, sizeof allow) != 0) raiseSocketError("setsockopt");
        const sockaddr_in address = addressOf(host, port);
        if (::sendto(handle_, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
            raiseSocketError("sendto");
        }
    }

    std::optional<std::string> receive(std::chrono::milliseconds timeout) override {
        pollfd waiting{handle_, POLLIN, 0};
        int ready = ::poll(&waiting, 1, static_cast<int>(timeout.count()));
        if (ready < 0) raiseSocketError("poll");
        if (ready == 0) return std::nullopt;
        std::string datagram(65535 + 3, '\0');
        ssize_t size = ::recv(handle_, datagram.data(), datagram.size(), 0);
        if (size < 0) raiseSocketError("recv");
        datagram.resize(static_cast<std::size_t>(size));
        return datagram;
    }

private:
    int handle_;
};

}  // namespace

std::unique_ptr<DatagramSocket> openDatagramSocket() { return std::make_unique<PosixDatagramSocket>(); }

}  // namespace wf
