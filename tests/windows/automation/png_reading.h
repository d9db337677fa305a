#pragma once
// Reads back the PNG files the automation writes: checks the signature, every
// chunk's CRC and the zlib stream, and returns the picture's size and raw rows.
#include <cstdint>
#include <optional>
#include <string>

namespace wf::testing {

struct PngPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string rows;  // per row: filter byte, then RGB bytes
};

// Nothing when any part is malformed (only stored deflate blocks are understood).
std::optional<PngPicture> readPng(const std::string& bytes);

}  // namespace wf::testing
