#pragma once
// Little- and big-endian building blocks of TDS messages. The reader checks every
// access against the end of the message, so that a short or lying message ends
// the session instead of reading past its buffer.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wf::standin {

// A client message that breaks the protocol; the session that got it ends.
class ProtocolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u16le(std::uint16_t value);
    void u16be(std::uint16_t value);
    void u32le(std::uint32_t value);
    void u32be(std::uint32_t value);
    void u64le(std::uint64_t value);
    void raw(std::string_view bytes) { bytes_.append(bytes); }
    // Text as a one-byte count of UTF-16 units followed by UTF-16LE.
    void bVarChar(std::string_view utf8);
    // Text as a two-byte count of UTF-16 units followed by UTF-16LE.
    void usVarChar(std::string_view utf8);
    // Overwrites two bytes written earlier.
    void patchU16le(std::size_t at, std::uint16_t value);

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint16_t u16be();
    std::uint32_t u32le();
    std::uint64_t u64le();
    std::string_view take(std::size_t count);
    // Text as a one-byte count of UTF-16 units, returned as UTF-8.
    std::string bVarChar();
    // Text as a two-byte count of UTF-16 units, returned as UTF-8.
    std::string usVarChar();

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace wf::standin
