#pragma once
// One client connection at the level of TDS packets: whole messages in, replies
// out split into packets of the negotiated size. The socket stays owned by the
// caller.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace wf::standin {

// Message types a client sends.
enum MessageType : std::uint8_t {
    kSqlBatch = 0x01,
    kRpc = 0x03,
    kAttention = 0x06,
    kTransactionManager = 0x0E,
    kLogin7 = 0x10,
    kPreLogin = 0x12,
};

struct Message {
    std::uint8_t type = 0;
    std::string payload;
};

// The peer went away (or the server is stopping) in the middle of an exchange.
class ConnectionClosed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PacketChannel {
public:
    // Larger messages are refused: they could only come from a broken client.
    static constexpr std::size_t kMaxMessageBytes = 16 * 1024 * 1024;

    explicit PacketChannel(int socket) : socket_(socket) {}

    // The next whole message, or nothing when the peer closed between messages.
    // Raises ProtocolError for broken framing, ConnectionClosed for a cut packet.
    std::optional<Message> receive();

    // Whether data arrives within `timeout`.
    bool waitReadable(std::chrono::milliseconds timeout);

    // Sends `payload` as one reply message (type 0x04). Raises ConnectionClosed.
    void send(const std::string& payload);

    // Packet size agreed at login (512 to 32767 bytes).
    void setPacketSize(std::size_t bytes);
    std::size_t packetSize() const { return packetSize_; }

private:
    bool readExact(char* into, std::size_t count, bool endAllowed);

    int socket_;
    std::size_t packetSize_ = 4096;
};

}  // namespace wf::standin
