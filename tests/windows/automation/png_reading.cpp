#include "tests/windows/automation/png_reading.h"

#include "tools/automation/png_writer.h"

using wf::automation::adler32;
using wf::automation::crc32;

namespace wf::testing {
namespace {

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::optional<std::string> inflateStored(const std::string& stream) {
    if (stream.size() < 6 || stream.substr(0, 2) != "\x78\x01") return std::nullopt;
    std::string raw;
    std::size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > stream.size()) return std::nullopt;
        const auto header = static_cast<std::uint8_t>(stream[at]);
        if ((header & 0x06) != 0) return std::nullopt;  // not a stored block
        last = (header & 1) != 0;
        const std::uint16_t length = static_cast<std::uint8_t>(stream[at + 1]) | static_cast<std::uint8_t>(stream[at + 2]) << 8;
        const std::uint16_t check = static_cast<std::uint8_t>(stream[at + 3]) | static_cast<std::uint8_t>(stream[at + 4]) << 8;
        if (static_cast<std::uint16_t>(~length) != check || at + 5 + length > stream.size()) return std::nullopt;
        raw += stream.substr(at + 5, length);
        at += 5 + length;
    }
    if (at + 4 != stream.size() || bigEndian(stream, at) != adler32(raw)) return std::nullopt;
    return raw;
}

}  // namespace

std::optional<PngPicture> readPng(const std::string& bytes) {
    if (bytes.substr(0, 8) != "\x89PNG\r\n\x1a\n") return std::nullopt;
    PngPicture picture;
    std::string stream;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (at + 12 > bytes.size()) return std::nullopt;
        const std::uint32_t length = bigEndian(bytes, at);
        if (at + 12 + length > bytes.size()) return std::nullopt;
        const std::string typed = bytes.substr(at + 4, 4 + length);
        if (bigEndian(bytes, at + 8 + length) != crc32(typed)) return std::nullopt;
        const std::string type = typed.substr(0, 4), data = typed.substr(4);
        if (type == "IHDR") {
            if (length != 13 || data.substr(8) != std::string("\x08\x02\x00\x00\x00", 5)) return std::nullopt;
            picture.width = bigEndian(data, 0);
            picture.height = bigEndian(data, 4);
        } else if (type == "IDAT") {
            stream += data;
        } else if (type == "IEND") {
            ended = at + 12 == bytes.size();
            if (!ended) return std::nullopt;
        }
        at += 12 + length;
    }
    auto rows = inflateStored(stream);
    if (!rows || rows->size() != (static_cast<std::size_t>(picture.width) * 3 + 1) * picture.height) return std::nullopt;
    picture.rows = *rows;
    return picture;
}

}  // namespace wf::testing
