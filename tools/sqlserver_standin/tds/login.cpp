#include "tds/login.h"

#include <utility>
#include <vector>

#include "tds/bytes.h"
#include "tds/utf16.h"

namespace wf::standin {
namespace {

constexpr std::uint8_t kOptionTerminator = 0xFF;
constexpr std::size_t kLogin7FixedBytes = 94;

enum PreLoginOption : std::uint8_t {
    kVersion = 0,
    kEncryption = 1,
    kInstanceOption = 2,
    kThreadId = 3,
    kMars = 4,
};

std::string encodePreLogin(const std::vector<std::pair<std::uint8_t, std::string>>& options) {
    ByteWriter out;
    std::size_t dataOffset = options.size() * 5 + 1;
    for (const auto& [option, data] : options) {
        out.u8(option);
        out.u16be(static_cast<std::uint16_t>(dataOffset));
        out.u16be(static_cast<std::uint16_t>(data.size()));
        dataOffset += data.size();
    }
    out.u8(kOptionTerminator);
    for (const auto& option : options) out.raw(option.second);
    return out.bytes();
}

// Undoes the client's scrambling: XOR with 0xA5, then swap the nibbles.
std::string unscramblePassword(std::string_view scrambled) {
    std::string bytes(scrambled);
    for (char& c : bytes) {
        auto value = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ 0xA5);
        c = static_cast<char>(static_cast<std::uint8_t>((value << 4) | (value >> 4)));
    }
    return utf16leToUtf8(bytes);
}

}  // namespace

std::string answerPreLogin(std::string_view request) {
    ByteReader options(request);
    for (;;) {
        std::uint8_t option = options.u8();
        if (option == kOptionTerminator) break;
        std::size_t offset = options.u16be();
        std::size_t length = options.u16be();
        if (offset + length > request.size()) throw ProtocolError("pre-login option outside the message");
    }
    return encodePreLogin({
        {kVersion, std::string("\x0F\x00\x07\xD0\x00\x00", 6)},
        {kEncryption, std::string("\x02", 1)},
        {kInstanceOption, std::string("\x00", 1)},
        {kThreadId, std::string()},
        {kMars, std::string("\x00", 1)},
    });
}

Login7 parseLogin7(std::string_view payload) {
    if (payload.size() < kLogin7FixedBytes) throw ProtocolError("LOGIN7 shorter than its fixed part");
    ByteReader fixed(payload);
    std::uint32_t length = fixed.u32le();
    if (length > payload.size()) throw ProtocolError("LOGIN7 longer than its message");
    Login7 login;
    login.tdsVersion = fixed.u32le();
    login.packetSize = fixed.u32le();

    auto text = [&](std::size_t at, bool scrambled) {
        ByteReader pair(payload.substr(at, 4));
        std::size_t offset = pair.u16le();
        std::size_t units = pair.u16le();
        if (offset + 2 * units > length) throw ProtocolError("LOGIN7 field outside the message");
        std::string_view bytes = payload.substr(offset, 2 * units);
        return scrambled ? unscramblePassword(bytes) : utf16leToUtf8(bytes);
    };
    login.hostName = text(36, false);
    login.userName = text(40, false);
    login.password = text(44, true);
    login.applicationName = text(48, false);
    login.database = text(68, false);
    return login;
}

}  // namespace wf::standin
