#include "tds/bytes.h"

#include "tds/utf16.h"

namespace wf::standin {

void ByteWriter::u16le(std::uint16_t value) {
    u8(value & 0xFF);
    u8(value >> 8);
}

void ByteWriter::u16be(std::uint16_t value) {
    u8(value >> 8);
    u8(value & 0xFF);
}

void ByteWriter::u32le(std::uint32_t value) {
    u16le(value & 0xFFFF);
    u16le(value >> 16);
}

void ByteWriter::u32be(std::uint32_t value) {
    u16be(value >> 16);
    u16be(value & 0xFFFF);
}

void ByteWriter::u64le(std::uint64_t value) {
    u32le(value & 0xFFFFFFFFu);
    u32le(value >> 32);
}

void ByteWriter::bVarChar(std::string_view utf8) {
    std::string units = utf8ToUtf16le(utf8);
    if (units.size() > 2 * 255) units.resize(2 * 255);
    u8(static_cast<std::uint8_t>(units.size() / 2));
    raw(units);
}

void ByteWriter::usVarChar(std::string_view utf8) {
    std::string units = utf8ToUtf16le(utf8);
    if (units.size() > 2 * 65535) units.resize(2 * 65535);
    u16le(static_cast<std::uint16_t>(units.size() / 2));
    raw(units);
}

void ByteWriter::patchU16le(std::size_t at, std::uint16_t value) {
    bytes_.at(at) = static_cast<char>(value & 0xFF);
    bytes_.at(at + 1) = static_cast<char>(value >> 8);
}

std::string_view ByteReader::take(std::size_t count) {
    if (count > remaining()) throw ProtocolError("message ends early");
    std::string_view part = bytes_.substr(position_, count);
    position_ += count;
    return part;
}

std::uint8_t ByteReader::u8() { return static_cast<std::uint8_t>(take(1)[0]); }

std::uint16_t ByteReader::u16le() {
    std::uint16_t low = u8();
    return static_cast<std::uint16_t>(low | (u8() << 8));
}

std::uint16_t ByteReader::u16be() {
    std::uint16_t high = u8();
    return static_cast<std::uint16_t>((high << 8) | u8());
}

std::uint32_t ByteReader::u32le() {
    std::uint32_t low = u16le();
    return low | (static_cast<std::uint32_t>(u16le()) << 16);
}

std::uint64_t ByteReader::u64le() {
    std::uint64_t low = u32le();
    return low | (static_cast<std::uint64_t>(u32le()) << 32);
}

std::string ByteReader::bVarChar() {
    std::size_t units = u8();
    return utf16leToUtf8(take(2 * units));
}

std::string ByteReader::usVarChar() {
    std::size_t units = u16le();
    return utf16leToUtf8(take(2 * units));
}

}  // namespace wf::standin
