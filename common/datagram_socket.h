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

    // Ties the socket to the IPv4 address `host` (dotted form) and `port`: from then
    // on only datagrams from there arrive, so no other sender can answer in its
    // place. Raises RunError.
    virtual void connect(const std::string& host, std::uint16_t port) = 0;

    // Sends `data` to the IPv4 address `host` (dotted form) and `port`; the socket
    // may reach a broadcast address only when `broadcast` is set. Raises RunError.
    virtual void sendTo(const std::string& host, std::uint16_t port, std::string_view data, bool broadcast) = 0;

    // The next datagram that arrives within `timeout`, or nothing. Raises RunError.
    virtual std::optional<std::string> receive(std::chrono::milliseconds timeout) = 0;
};

// A new socket of the platform's network stack. Raises RunError.
std::unique_ptr<DatagramSocket> openDatagramSocket();

}  // namespace wf
