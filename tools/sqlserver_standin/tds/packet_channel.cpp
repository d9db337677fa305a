#include "tds/packet_channel.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "tds/bytes.h"

namespace wf::standin {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::uint8_t kReplyType = 0x04;
constexpr std::uint8_t kLastPacket = 0x01;
// FreeTDS reads the session id from the reply headers; any non-zero value will do.
constexpr std::uint16_t kSessionId = 51;

}  // namespace

bool PacketChannel::readExact(char* into, std::size_t count, bool endAllowed) {
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = ::recv(socket_, into + done, count - done, 0);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
        } else if (got == 0) {
            if (done == 0 && endAllowed) return false;
            throw ConnectionClosed("connection closed inside a packet");
        } else if (errno != EINTR) {
            throw ConnectionClosed("connection lost");
        }
    }
    return true;
}

std::optional<Message> PacketChannel::receive() {
    Message message;
    bool first = true;
    for (;;) {
        char header[kHeaderBytes];
        if (!readExact(header, kHeaderBytes, first)) return std::nullopt;
        ByteReader fields(std::string_view(header, kHeaderBytes));
        std::uint8_t type = fields.u8();
        std::uint8_t status = fields.u8();
        std::uint16_t length = fields.u16be();
        if (length < kHeaderBytes) throw ProtocolError("packet shorter than its header");
        if (!first && type != message.type) throw ProtocolError("packet type changes inside a message");
        message.type = type;
        std::size_t body = length - kHeaderBytes;
        if (message.payload.size() + body > kMaxMessageBytes) throw ProtocolError("message too large");
        std::size_t start = message.payload.size();
        message.payload.resize(start + body);
        readExact(message.payload.data() + start, body, false);
        if (status & kLastPacket) return message;
        first = false;
    }
}

bool PacketChannel::waitReadable(std::chrono::milliseconds timeout) {
    pollfd entry{socket_, POLLIN, 0};
    int waited;
    do {
        waited = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    } while (waited < 0 && errno == EINTR);
    return waited > 0;
}

void PacketChannel::send(const std::string& payload) {
    std::size_t bodyBytes = packetSize_ - kHeaderBytes;
    std::size_t offset = 0;
    std::uint8_t packetId = 1;
    std::string packets;
    do {
        std::size_t part = std::min(bodyBytes, payload.size() - offset);
        bool last = offset + part == payload.size();
        ByteWriter header;
        header.u8(kReplyType);
        header.u8(last ? kLastPacket : 0);
        header.u16be(static_cast<std::uint16_t>(kHeaderBytes + part));
        header.u16be(kSessionId);
        header.u8(packetId++);
        header.u8(0);
        packets += header.bytes();
        packets.append(payload, offset, part);
        offset += part;
    } while (offset < payload.size());

    std::size_t sent = 0;
    while (sent < packets.size()) {
        ssize_t n = ::send(socket_, packets.data() + sent, packets.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            throw ConnectionClosed("reply could not be sent");
        }
    }
}

void PacketChannel::setPacketSize(std::size_t bytes) { packetSize_ = std::clamp<std::size_t>(bytes, 512, 32767); }

}  // namespace wf::standin
