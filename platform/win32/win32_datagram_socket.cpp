#include <winsock2.h>
#include <ws2tcpip.h>

#include "common/datagram_socket.h"
#include "common/run_error.h"

namespace wf {
namespace {

[[noreturn]] void raiseSocketError(const char* step) {
    int code = WSAGetLastError();
    throw RunError(code, std::string(step) + " failed with Winsock error " + std::to_string(code));
}

sockaddr_in addressOf(const std::string& host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) throw RunError(WSAEINVAL, "Bad address " + host);
    return address;
}

class WinsockDatagramSocket : public DatagramSocket {
public:
    WinsockDatagramSocket() {
        WSADATA data;
        int started = WSAStartup(MAKEWORD(2, 2), &data);
        if (started != 0) throw RunError(started, "WSAStartup failed with Winsock error " + std::to_string(started));
        handle_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        if (handle_ == INVALID_SOCKET) {
            int code = WSAGetLastError();
            WSACleanup();
            throw RunError(code, "socket failed with Winsock error " + std::to_string(code));
        }
    }
    ~WinsockDatagramSocket() override {
        closesocket(handle_);
        WSACleanup();
    }
    WinsockDatagramSocket(const WinsockDatagramSocket&) = delete;
    WinsockDatagramSocket& operator=(const WinsockDatagramSocket&) = delete;

    void connect(const std::string& host, std::uint16_t port) override {
        const sockaddr_in address = addressOf(host, port);
        if (::connect(handle_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
            raiseSocketError("connect");
        }
    }

    void sendTo(const std::string& host, std::uint16_t port, std::string_view data, bool broadcast) override {
        BOOL allow = broadcast ? TRUE : FALSE;
        if (::setsockopt(handle_, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&allow), sizeof allow) != 0) {
            raiseSocketError("setsockopt");
        }
        const sockaddr_in address = addressOf(host, port);
        if (::sendto(handle_, data.data(), static_cast<int>(data.size()), 0, reinterpret_cast<const sockaddr*>(&address),
                     sizeof address) == SOCKET_ERROR) {
            raiseSocketError("sendto");
        }
    }

    std::optional<std::string> receive(std::chrono::milliseconds timeout) override {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(handle_, &readable);
        timeval wait{static_cast<long>(timeout.count() / 1000), static_cast<long>(timeout.count() % 1000 * 1000)};
        int ready = ::select(0, &readable, nullptr, nullptr, &wait);
        if (ready == SOCKET_ERROR) raiseSocketError("select");
        if (ready == 0) return std::nullopt;
        std::string datagram(65535 + 3, '\0');
        int size = ::recv(handle_, datagram.data(), static_cast<int>(datagram.size()), 0);
        if (size == SOCKET_ERROR) {
            // The request was refused (port unreachable): nobody answers there.
            if (WSAGetLastError() == WSAECONNRESET) return std::nullopt;
            raiseSocketError("recv");
        }
        datagram.resize(static_cast<std::size_t>(size));
        return datagram;
    }

private:
    SOCKET handle_ = INVALID_SOCKET;
};

}  // namespace

std::unique_ptr<DatagramSocket> openDatagramSocket() { return std::make_unique<WinsockDatagramSocket>(); }

}  // namespace wf
