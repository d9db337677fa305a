#include "tools/automation/png_writer.h"

#include <algorithm>
#include <array>

namespace wf::automation {
namespace {

constexpr std::size_t kStoredBlockLimit = 65535;

std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void putChunk(std::string& out, std::string_view type, std::string_view data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    out += typed;
    putBigEndian(out, crc32(typed));
}

// Wraps raw bytes in a zlib stream of stored deflate blocks.
std::string zlibStored(std::string_view raw) {
    std::string out = "\x78\x01";  // deflate, 32 KiB window, no preset dictionary
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kStoredBlockLimit, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        const auto len16 = static_cast<std::uint16_t>(length);
        const auto nlen16 = static_cast<std::uint16_t>(~len16);
        out += static_cast<char>(len16 & 0xFF);
        out += static_cast<char>(len16 >> 8);
        out += static_cast<char>(nlen16 & 0xFF);
        out += static_cast<char>(nlen16 >> 8);
        out += raw.substr(offset, length);
        offset += length;
    } while (offset < raw.size());
    putBigEndian(out, adler32(raw));
    return out;
}

}  // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t crc) {
    static const std::array<std::uint32_t, 256> table = makeCrcTable();
    crc = ~crc;
    for (char byte : bytes) crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(std::string_view bytes) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (char byte : bytes) {
        a = (a + static_cast<std::uint8_t>(byte)) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::string encodePng(std::uint32_t width, std::uint32_t height, std::string_view rgb) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (width == 0 || height == 0 || rgb.size() != rowBytes * height) return {};

    std::string header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits per sample, RGB, no interlace

    std::string filtered;
    filtered.reserve((rowBytes + 1) * height);
    for (std::uint32_t row = 0; row < height; ++row) {
        filtered += '\0';  // filter type None
        filtered += rgb.substr(row * rowBytes, rowBytes);
    }

    std::string png = "\x89PNG\r\n\x1a\n";
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlibStored(filtered));
    putChunk(png, "IEND", {});
    return png;
}

}  // namespace wf::automation
