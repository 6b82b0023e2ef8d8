#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "artwork.h"
#include "canvas.h"
#include "image_files.h"

using pictures::Canvas;
using pictures::Hex;
using pictures::Rect;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }
std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

void Paint(Canvas& canvas, int x, int y, unsigned rgb, double alpha = 1.0) {
  canvas.Fill(Rect(x, y, x + 1, y + 1), Hex(rgb, alpha));
}

struct Bgr {
  unsigned b, g, r;
  bool operator==(const Bgr&) const = default;
};

// Pixel (x, y) counted from the top, read from a bottom-up 24-bit file.
Bgr BmpPixel(const Bytes& file, int x, int y) {
  const std::int32_t width = I32(file, 18);
  const std::int32_t height = I32(file, 22);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t at = U32(file, 10) + (height - 1 - y) * stride + x * 3;
  return {file.at(at), file.at(at + 1), file.at(at + 2)};
}

TEST(Bmp24, HeaderDescribesABottomUpFileWithPaddedRows) {
  Canvas canvas(3, 2);  // 9 bytes a row, padded to 12
  const Bytes file = pictures::EncodeBmp24(canvas);

  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32(file, 2), file.size());
  EXPECT_EQ(U32(file, 10), 54u);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(I32(file, 18), 3);
  EXPECT_EQ(I32(file, 22), 2);  // positive: bottom-up
  EXPECT_EQ(U16(file, 26), 1u);
  EXPECT_EQ(U16(file, 28), 24u);
  EXPECT_EQ(U32(file, 30), 0u);
  EXPECT_EQ(U32(file, 34), 24u);
}

TEST(Bmp24, PixelsLandAtTheirPlaceInBlueGreenRedOrder) {
  Canvas canvas(3, 2);
  Paint(canvas, 0, 0, 0x102030);
  Paint(canvas, 2, 0, 0xA0B0C0);
  Paint(canvas, 1, 1, 0x405060);
  const Bytes file = pictures::EncodeBmp24(canvas);

  EXPECT_EQ(BmpPixel(file, 0, 0), (Bgr{0x30, 0x20, 0x10}));
  EXPECT_EQ(BmpPixel(file, 2, 0), (Bgr{0xC0, 0xB0, 0xA0}));
  EXPECT_EQ(BmpPixel(file, 1, 1), (Bgr{0x60, 0x50, 0x40}));
  EXPECT_EQ(BmpPixel(file, 1, 0), (Bgr{0, 0, 0}));
  // Row padding stays zero.
  for (std::size_t row = 0; row < 2; ++row) {
    for (std::size_t pad = 9; pad < 12; ++pad) EXPECT_EQ(file[54 + row * 12 + pad], 0) << row;
  }
}

TEST(Bmp24, HalfCoveredPixelsAreBlendedOntoBlack) {
  Canvas canvas(2, 1);
  Paint(canvas, 0, 0, 0xFF0000, 0.5);
  canvas.Fill(Rect(1, 0, 1.5, 1), Hex(0x00FF00));  // left half of the pixel
  const Bytes file = pictures::EncodeBmp24(canvas);

  const Bgr half = BmpPixel(file, 0, 0);
  EXPECT_NEAR(half.r, 128, 1);
  EXPECT_EQ(half.g, 0u);
  const Bgr edge = BmpPixel(file, 1, 0);
  EXPECT_GT(edge.g, 64u);  // partly covered: neither background nor full colour
  EXPECT_LT(edge.g, 192u);
  EXPECT_EQ(edge.r, 0u);
}

TEST(Canvas, OriginMovesLaterFills) {
  Canvas canvas(4, 4);
  canvas.SetOrigin(2, 1);
  canvas.Fill(Rect(0, 0, 1, 1), Hex(0xFFFFFF));
  EXPECT_EQ(canvas.Pixel(0, 0).a, 0);
  EXPECT_EQ(canvas.Pixel(2, 1).a, 1);
}

TEST(Canvas, ViewScalesFromItsCorner) {
  Canvas canvas(6, 6, 2, {1, 1});
  canvas.Fill(Rect(1, 1, 2, 2.5), Hex(0xFFFFFF));
  EXPECT_EQ(canvas.Pixel(1, 2).a, 1);
  EXPECT_EQ(canvas.Pixel(2, 0).a, 0);
  EXPECT_EQ(canvas.Pixel(0, 3).a, 0);
}

struct IconEntry {
  unsigned width, height, planes, bitCount;
  std::uint32_t bytes, offset;
};

IconEntry Entry(const Bytes& file, int index) {
  const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
  return {file.at(at), file.at(at + 1), U16(file, at + 4), U16(file, at + 6), U32(file, at + 8),
          U32(file, at + 12)};
}

TEST(Icon, DirectoryPointsAtEachImageBackToBack) {
  Canvas large(32, 32), small(16, 16);
  const Bytes file = pictures::EncodeIcon({&large, &small});

  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 1u);
  ASSERT_EQ(U16(file, 4), 2u);
  const IconEntry a = Entry(file, 0);
  const IconEntry b = Entry(file, 1);
  EXPECT_EQ(a.width, 32u);
  EXPECT_EQ(a.height, 32u);
  EXPECT_EQ(b.width, 16u);
  EXPECT_EQ(b.height, 16u);
  EXPECT_EQ(a.planes, 1u);
  EXPECT_EQ(a.bitCount, 32u);
  EXPECT_EQ(a.offset, 6u + 2 * 16);
  // Header, colour pixels, then a mask with rows padded to 32 bits.
  EXPECT_EQ(a.bytes, 40u + 32 * 32 * 4 + 32 * 4);
  EXPECT_EQ(b.bytes, 40u + 16 * 16 * 4 + 16 * 4);
  EXPECT_EQ(b.offset, a.offset + a.bytes);
  EXPECT_EQ(file.size(), b.offset + b.bytes);

  // The image header counts the mask in its height.
  EXPECT_EQ(U32(file, b.offset), 40u);
  EXPECT_EQ(I32(file, b.offset + 4), 16);
  EXPECT_EQ(I32(file, b.offset + 8), 32);
  EXPECT_EQ(U16(file, b.offset + 14), 32u);
}

TEST(Icon, ColourIsStraightAlphaAndTheMaskMarksOnlyTransparentPixels) {
  Canvas small(16, 16);
  Paint(small, 0, 0, 0xFF0000, 0.5);  // top-left, half transparent
  Paint(small, 9, 15, 0x0000FF);      // bottom row, opaque
  const Bytes file = pictures::EncodeIcon({&small});
  const std::size_t image = Entry(file, 0).offset;
  const std::size_t colour = image + 40;
  const std::size_t mask = colour + 16 * 16 * 4;

  // Bottom-up: the top row is stored last.
  const std::size_t topLeft = colour + 15 * 16 * 4;
  EXPECT_EQ(file[topLeft + 2], 255);  // red, not darkened by its alpha
  EXPECT_NEAR(file[topLeft + 3], 128, 1);
  const std::size_t bottom9 = colour + 9 * 4;
  EXPECT_EQ(file[bottom9 + 0], 255);
  EXPECT_EQ(file[bottom9 + 3], 255);

  // Mask rows are 4 bytes; a set bit means transparent.
  const std::size_t maskTop = mask + 15 * 4;
  EXPECT_EQ(file[maskTop], 0x7F);
  EXPECT_EQ(file[maskTop + 1], 0xFF);
  const std::size_t maskBottom = mask;
  EXPECT_EQ(file[maskBottom], 0xFF);
  EXPECT_EQ(file[maskBottom + 1], 0xBF);  // x = 9 is opaque
  EXPECT_EQ(file[maskBottom + 2], 0);     // padding
  EXPECT_EQ(file[maskBottom + 3], 0);
}

TEST(Icon, RejectsImagesThatAreNotSquare) {
  Canvas wide(32, 16);
  EXPECT_THROW(pictures::EncodeIcon({&wide}), std::invalid_argument);
}

void ExpectOpaque(const Canvas& canvas) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      ASSERT_GE(canvas.Pixel(x, y).a, 0.999) << "hole at " << x << "," << y;
    }
  }
}

// A gap in the artwork would come out as black in the 24-bit file.
TEST(Artwork, PicturesHaveTheirSizesAndNoHoles) {
  const Canvas main = pictures::MainPicture();
  EXPECT_EQ(main.Width(), 650);
  EXPECT_EQ(main.Height(), 476);
  ExpectOpaque(main);
  const Canvas logo = pictures::AboutLogo();
  EXPECT_EQ(logo.Width(), 110);
  EXPECT_EQ(logo.Height(), 46);
  ExpectOpaque(logo);
}

// Mean difference between each 2 x 2 block of `large` and the pixel of
// `small` at the block's place from (x0, y0) on.
double DifferenceAtHalfSize(const Canvas& large, const Canvas& small, int x0, int y0) {
  double difference = 0;
  for (int y = 0; y < large.Height() / 2; ++y) {
    for (int x = 0; x < large.Width() / 2; ++x) {
      double sum = 0;
      for (int d = 0; d < 4; ++d) sum += large.Pixel(2 * x + d % 2, 2 * y + d / 2).g;
      difference += std::abs(sum / 4 - small.Pixel(x + x0, y + y0).g);
    }
  }
  return difference / (large.Width() / 2 * (large.Height() / 2));
}

// The large pictures are the shown parts twice as large (a shift by one
// pixel gives ten times the difference).
TEST(Artwork, LargePicturesAreTheShownPartsTwiceAsLarge) {
  const Canvas main = pictures::MainPicture();
  const Canvas largeMain = pictures::MainPictureShown(2);
  EXPECT_EQ(largeMain.Width(), 2 * 645);
  EXPECT_EQ(largeMain.Height(), 2 * 376);
  ExpectOpaque(largeMain);
  EXPECT_LT(DifferenceAtHalfSize(largeMain, main, 5, 100), 0.004);
  const Canvas largeLogo = pictures::AboutLogoLarge();
  EXPECT_EQ(largeLogo.Width(), 220);
  EXPECT_EQ(largeLogo.Height(), 92);
  EXPECT_LT(DifferenceAtHalfSize(largeLogo, pictures::AboutLogo(), 0, 0), 0.004);
}

TEST(Artwork, IconsAreTransparentAroundTheDrawing) {
  for (int size : {32, 16}) {
    const Canvas icon = pictures::AppIcon(size);
    EXPECT_EQ(icon.Width(), size);
    EXPECT_EQ(icon.Pixel(0, 0).a, 0) << size;
    EXPECT_GT(icon.Pixel(size / 2, size - 3).a, 0.99) << size;
  }
}

TEST(Artwork, OutputIsTheSameOnEveryRun) {
  EXPECT_EQ(pictures::EncodeBmp24(pictures::MainPicture()),
            pictures::EncodeBmp24(pictures::MainPicture()));
}

}  // namespace
