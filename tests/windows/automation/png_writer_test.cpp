#include "tools/automation/png_writer.h"

#include <gtest/gtest.h>

#include "tests/windows/automation/png_reading.h"

namespace wf::automation {
namespace {

TEST(PngWriter, ChecksumsMatchTheirStandardCheckValues) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32("IEND"), 0xAE426082u);
    EXPECT_EQ(crc32("6789", crc32("12345")), 0xCBF43926u) << "continued";
    EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(adler32(""), 1u);
    EXPECT_EQ(adler32(std::string(6000, '\xFF')), 0xA49759EAu) << "sums wrap at the modulus";
}

TEST(PngWriter, WritesRowsBehindFilterBytes) {
    const std::string rgb = "\x01\x02\x03\x04\x05\x06"
                            "\x07\x08\x09\x0A\x0B\x0C";
    auto picture = wf::testing::readPng(encodePng(2, 2, rgb));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2u);
    EXPECT_EQ(picture->height, 2u);
    EXPECT_EQ(picture->rows, std::string("\0\x01\x02\x03\x04\x05\x06\0\x07\x08\x09\x0A\x0B\x0C", 14));
}

TEST(PngWriter, SplitsLargePicturesIntoSeveralStoredBlocks) {
    std::string rgb;
    for (int i = 0; i < 300 * 100 * 3; ++i) rgb += static_cast<char>(i * 7);
    const std::string png = encodePng(300, 100, rgb);
    auto picture = wf::testing::readPng(png);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->rows.size(), 90100u);
    EXPECT_EQ(picture->rows.substr(1, 900), rgb.substr(0, 900));
    EXPECT_EQ(picture->rows.substr(90100 - 900), rgb.substr(rgb.size() - 900));

    std::string damaged = png;
    damaged[png.size() / 2] ^= 0x40;
    EXPECT_FALSE(wf::testing::readPng(damaged)) << "the chunk CRC catches a flipped bit";
}

TEST(PngWriter, RefusesPixelsThatDoNotFitTheSize) {
    EXPECT_EQ(encodePng(2, 2, std::string(11, 'x')), "");
    EXPECT_EQ(encodePng(0, 0, ""), "");
}

}  // namespace
}  // namespace wf::automation
