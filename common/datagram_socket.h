#pragma once
// A UDP socket as the server list uses it: one request out, answers in.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace wf {

class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;

    // Sends `data` to the IPv4 address `host` (dotted form) and `port`; the socket
    // may reach a broadcast address only when `broadcast` is set. Raises RunError.
    virtual void sendTo(const std::string& host, std::uint16_t port, std::string_view data, bool broadcast) = 0;

    // The next datagram that arrives within `timeout`, or nothing. Raises RunError.
    virtual std::optional<std::string> receive(std::chrono::milliseconds timeout) = 0;
};

// A new socket of the platform's network stack. Raises RunError.
std::unique_ptr<DatagramSocket> openDatagramSocket();

}  // namespace wf
