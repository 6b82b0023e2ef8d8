#include "preview/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "support/hex.h"

namespace {

std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// The image data of a PNG, inflated by zlib.
Bytes Pixels(const Bytes& png, std::uint32_t& width, std::uint32_t& height) {
  Bytes compressed;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    const std::uint32_t length = Be32(png, at);
    const std::string type(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
    if (type == "IHDR") {
      width = Be32(png, at + 8);
      height = Be32(png, at + 12);
    }
    if (type == "IDAT") compressed.insert(compressed.end(), png.begin() + static_cast<long>(at) + 8,
                                          png.begin() + static_cast<long>(at + 8 + length));
    at += 12 + length;
  }
  Bytes raw(static_cast<std::size_t>(width + 1) * height + 16);
  uLongf size = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &size, compressed.data(), compressed.size()), Z_OK);
  raw.resize(size);
  return raw;
}

TEST(Png, PixelsSurviveCompressionAndAreResampledToProportion) {
  // 4 x 3 cells at 120 x 180 dpi: the picture is 6 columns wide, each taking the cell under its
  // centre (cells 0, 1, 1, 2, 3, 3).
  preview::Page page{4, 3, 120, 180, {}};
  page.cells = {1, 0, 2, 0,  //
                0, 1, 0, 0,  //
                1, 1, 1, 1};
  std::uint32_t width = 0, height = 0;
  const Bytes raw = Pixels(preview::EncodePng(page), width, height);
  EXPECT_EQ(width, 6u);
  EXPECT_EQ(height, 3u);
  EXPECT_EQ(ToHex(raw),
            "00 00 FF FF 96 FF FF "
            "00 FF 00 00 FF FF FF "
            "00 00 00 00 00 00 00");
}

TEST(Png, LargeWhitePagesCompress) {
  preview::Page page{576, 2000, 203, 203, std::vector<std::uint8_t>(576u * 2000u, 0)};
  page.cells[1000 * 576 + 5] = 1;
  const Bytes png = preview::EncodePng(page);
  EXPECT_LT(png.size(), 20000u);
  std::uint32_t width = 0, height = 0;
  const Bytes raw = Pixels(png, width, height);
  ASSERT_EQ(raw.size(), 577u * 2000u);
  EXPECT_EQ(raw[1000 * 577 + 1 + 5], 0);
  EXPECT_EQ(raw[1000 * 577 + 1 + 6], 255);
}

TEST(Png, EmptyPageGivesNothing) { EXPECT_TRUE(preview::EncodePng(preview::Page{}).empty()); }

}  // namespace
