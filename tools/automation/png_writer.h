#pragma once
// Encodes an RGB picture as a PNG file image: one IDAT chunk holding a zlib stream
// of uncompressed ("stored") deflate blocks. Large, but needs no library.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wf::automation {

// CRC-32 of PNG chunks (polynomial 0xEDB88320), optionally continuing `crc`.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

// Adler-32 checksum closing a zlib stream.
std::uint32_t adler32(std::string_view bytes);

// `rgb` holds height rows of width pixels, 3 bytes each, top row first.
// Returns the whole file's bytes; empty when the sizes do not match the pixels.
std::string encodePng(std::uint32_t width, std::uint32_t height, std::string_view rgb);

}  // namespace wf::automation
