#include "tds_test_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "tds/bytes.h"
#include "tds/utf16.h"

namespace wf::standin::testing {
namespace {

void putText(ByteWriter& fixed, std::string& variable, std::size_t base, const std::string& text, bool scramble) {
    std::string units = utf8ToUtf16le(text);
    if (scramble) {
        for (char& c : units) {
            auto v = static_cast<std::uint8_t>(c);
            c = static_cast<char>(static_cast<std::uint8_t>(((v << 4) | (v >> 4)) ^ 0xA5));
        }
    }
    fixed.u16le(static_cast<std::uint16_t>(base + variable.size()));
    fixed.u16le(static_cast<std::uint16_t>(units.size() / 2));
    variable += units;
}

std::string login7(const std::string& user, const std::string& password, const std::string& database) {
    constexpr std::size_t kFixed = 94;
    ByteWriter fixed;
    std::string variable;
    fixed.u32le(0);  // length, patched below
    fixed.u32le(0x74000004);
    fixed.u32le(4096);
    fixed.u32le(7);   // client program version
    fixed.u32le(1);   // client process id
    fixed.u32le(0);   // connection id
    fixed.u8(0xE0);   // option flags 1
    fixed.u8(0x03);   // option flags 2
    fixed.u8(0);      // type flags
    fixed.u8(0);      // option flags 3
    fixed.u32le(0);   // time zone
    fixed.u32le(0x409);
    putText(fixed, variable, kFixed, "testhost", false);
    putText(fixed, variable, kFixed, user, false);
    putText(fixed, variable, kFixed, password, true);
    putText(fixed, variable, kFixed, "standin tests", false);
    putText(fixed, variable, kFixed, "127.0.0.1", false);
    putText(fixed, variable, kFixed, "", false);  // extension
    putText(fixed, variable, kFixed, "test client", false);
    putText(fixed, variable, kFixed, "", false);  // language
    putText(fixed, variable, kFixed, database, false);
    fixed.raw(std::string(6, '\0'));  // client id
    putText(fixed, variable, kFixed, "", false);  // SSPI
    putText(fixed, variable, kFixed, "", false);  // attach file
    putText(fixed, variable, kFixed, "", false);  // change password
    fixed.u32le(0);                               // long SSPI
    std::string payload = fixed.bytes() + variable;
    ByteWriter length;
    length.u32le(static_cast<std::uint32_t>(payload.size()));
    payload.replace(0, 4, length.bytes());
    return payload;
}

std::string allHeaders() {
    ByteWriter headers;
    headers.u32le(22);
    headers.u32le(18);
    headers.u16le(2);
    headers.raw(std::string(8, '\0'));
    headers.u32le(1);
    return headers.bytes();
}

void readMessageToken(ByteReader& tokens, Reply& reply, bool error) {
    tokens.u16le();
    ReplyMessage message;
    message.error = error;
    message.number = static_cast<std::int32_t>(tokens.u32le());
    message.state = tokens.u8();
    message.severity = tokens.u8();
    message.text = tokens.usVarChar();
    tokens.bVarChar();
    tokens.bVarChar();
    message.line = static_cast<std::int32_t>(tokens.u32le());
    reply.messages.push_back(message);
}

// Only the types the stand-in sends: NVARCHAR and INTN.
std::vector<std::uint8_t> readColumns(ByteReader& tokens, Reply& reply) {
    std::vector<std::uint8_t> types;
    std::uint16_t count = tokens.u16le();
    reply.columns.clear();
    for (std::uint16_t i = 0; i < count; ++i) {
        tokens.u32le();
        tokens.u16le();
        std::uint8_t type = tokens.u8();
        if (type == 0xE7) {
            tokens.u16le();
            tokens.take(5);
        } else {
            tokens.u8();
        }
        types.push_back(type);
        reply.columns.push_back(tokens.bVarChar());
    }
    return types;
}

void readRow(ByteReader& tokens, const std::vector<std::uint8_t>& types, Reply& reply) {
    std::vector<std::optional<std::string>> row;
    for (std::uint8_t type : types) {
        if (type == 0xE7) {
            std::uint16_t bytes = tokens.u16le();
            if (bytes == 0xFFFF) {
                row.emplace_back();
            } else {
                row.emplace_back(utf16leToUtf8(tokens.take(bytes)));
            }
        } else {
            std::uint8_t size = tokens.u8();
            if (size == 0) {
                row.emplace_back();
            } else {
                row.emplace_back(std::to_string(static_cast<std::int32_t>(ByteReader(tokens.take(size)).u32le())));
            }
        }
    }
    reply.rows.push_back(std::move(row));
}

Reply parseReply(const std::string& payload) {
    Reply reply;
    ByteReader tokens(payload);
    std::vector<std::uint8_t> types;
    while (tokens.remaining() > 0) {
        std::uint8_t token = tokens.u8();
        switch (token) {
        case 0xAA:
        case 0xAB:
            readMessageToken(tokens, reply, token == 0xAA);
            break;
        case 0xE3: {
            ByteReader change(tokens.take(tokens.u16le()));
            if (change.u8() == 1) reply.databaseChanges.push_back(change.bVarChar());
            break;
        }
        case 0xAD:
            tokens.take(tokens.u16le());
            reply.loginAcknowledged = true;
            break;
        case 0x81:
            types = readColumns(tokens, reply);
            break;
        case 0xD1:
            readRow(tokens, types, reply);
            break;
        case 0x79:
            tokens.u32le();
            break;
        case 0xAC: {  // RETURNVALUE of an INTN
            tokens.u16le();
            tokens.bVarChar();
            tokens.take(1 + 4 + 2 + 2);  // status, user type, flags, type and size
            std::uint8_t size = tokens.u8();
            reply.returnValues.push_back(static_cast<std::int32_t>(ByteReader(tokens.take(size)).u32le()));
            break;
        }
        case 0xFD:
        case 0xFE:
        case 0xFF:
            reply.doneStatuses.push_back(tokens.u16le());
            tokens.u16le();
            tokens.u64le();
            break;
        default:
            throw std::runtime_error("unexpected token " + std::to_string(token));
        }
    }
    return reply;
}

}  // namespace

TdsTestClient::TdsTestClient(int port) {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket_);
        throw std::runtime_error("cannot connect to the stand-in");
    }
}

TdsTestClient::~TdsTestClient() { ::close(socket_); }

void TdsTestClient::sendRaw(std::uint8_t type, const std::string& payload) {
    ByteWriter packet;
    packet.u8(type);
    packet.u8(1);
    packet.u16be(static_cast<std::uint16_t>(8 + payload.size()));
    packet.u16be(0);
    packet.u8(1);
    packet.u8(0);
    packet.raw(payload);
    if (::send(socket_, packet.bytes().data(), packet.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(packet.size())) {
        throw std::runtime_error("send failed");
    }
}

std::string TdsTestClient::readMessage() {
    std::string message;
    for (;;) {
        char header[8];
        auto readAll = [&](char* into, std::size_t count) {
            std::size_t done = 0;
            while (done < count) {
                ssize_t got = ::recv(socket_, into + done, count - done, 0);
                if (got <= 0) throw std::runtime_error("connection closed");
                done += static_cast<std::size_t>(got);
            }
        };
        readAll(header, 8);
        ByteReader fields(std::string_view(header, 8));
        if (fields.u8() != 0x04) throw std::runtime_error("reply of the wrong type");
        std::uint8_t status = fields.u8();
        std::size_t length = fields.u16be();
        std::string body(length - 8, '\0');
        readAll(body.data(), body.size());
        message += body;
        if (status & 1) return message;
    }
}

void TdsTestClient::preLogin() {
    sendRaw(0x12, std::string("\x00\x00\x06\x00\x06\xFF\x0F\x00\x07\xD0\x00\x00", 12));
    readMessage();
}

Reply TdsTestClient::logIn(const std::string& user, const std::string& password, const std::string& database) {
    preLogin();
    sendRaw(0x10, login7(user, password, database));
    return readReply();
}

void TdsTestClient::sendBatch(const std::string& text) { sendRaw(0x01, allHeaders() + utf8ToUtf16le(text)); }

void TdsTestClient::sendAttention() { sendRaw(0x06, ""); }

Reply TdsTestClient::rpc(std::uint16_t procedureId, const std::vector<RpcArgument>& arguments) {
    ByteWriter call;
    call.u16le(0xFFFF);
    call.u16le(procedureId);
    call.u16le(0);
    for (const RpcArgument& argument : arguments) {
        call.u8(0);  // passed by position
        call.u8(argument.output ? 1 : 0);
        if (argument.kind == RpcArgument::Int) {
            call.u8(0x26);
            call.u8(4);
            call.u8(4);
            call.u32le(static_cast<std::uint32_t>(argument.number));
        } else if (argument.kind == RpcArgument::Text) {
            std::string units = utf8ToUtf16le(argument.text);
            call.u8(0xE7);
            call.u16le(8000);
            call.raw(std::string("\x09\x04\xD0\x00\x34", 5));
            call.u16le(static_cast<std::uint16_t>(units.size()));
            call.raw(units);
        } else {
            call.u8(argument.rawType);
        }
    }
    sendRaw(0x03, allHeaders() + call.bytes());
    return readReply();
}

Reply TdsTestClient::readReply() { return parseReply(readMessage()); }

Reply TdsTestClient::batch(const std::string& text) {
    sendBatch(text);
    return readReply();
}

bool TdsTestClient::closedWithin(std::chrono::milliseconds timeout) {
    pollfd entry{socket_, POLLIN, 0};
    if (::poll(&entry, 1, static_cast<int>(timeout.count())) <= 0) return false;
    char byte;
    return ::recv(socket_, &byte, 1, 0) == 0;
}

}  // namespace wf::standin::testing
