// The walker itself: it must render what the commands say and reject broken streams.
#include <gtest/gtest.h>

#include "stream_walker.h"
#include "support/hex.h"

namespace {

using jobcheck::Dialect;
using jobcheck::kDot;
using jobcheck::Page;
using jobcheck::WalkStream;

int DotsIn(const Page& page) {
  int n = 0;
  for (std::uint8_t c : page.cells) n += c == kDot;
  return n;
}

TEST(StreamWalker, Draws24DotColumnsWhereTheCommandPutsThem) {
  // Two columns: the first all 24 dots, the second only the top dot; then feed 24 dots.
  const auto walk = WalkStream(Hex("1B 40 1B 2A 21 02 00 FFFFFF 800000 1B 4A 18"), jobcheck::Thermal(180, 512));
  ASSERT_TRUE(walk.ok) << walk.error;
  EXPECT_EQ(walk.page.height, 24);
  EXPECT_EQ(DotsIn(walk.page), 25);
  EXPECT_EQ(walk.page.At(0, 23), kDot);
  EXPECT_EQ(walk.page.At(1, 0), kDot);
  EXPECT_NE(walk.page.At(1, 1), kDot);
}

TEST(StreamWalker, DrawsRasterBitsAndAdvancesByTheImageHeight) {
  // 2 bytes × 3 rows in quadruple size: each bit is 2 × 2 dots.
  const auto walk = WalkStream(Hex("1D 76 30 03 02 00 03 00 8001 0000 0000 1B 4A 0A"), jobcheck::Thermal(203, 576));
  ASSERT_TRUE(walk.ok) << walk.error;
  EXPECT_EQ(walk.page.height, 16);  // 3 rows × 2, then 10 dots of feed
  EXPECT_EQ(DotsIn(walk.page), 8);
  EXPECT_EQ(walk.page.At(1, 1), kDot);
  EXPECT_EQ(walk.page.At(30, 0), kDot);
  EXPECT_EQ(walk.page.At(31, 1), kDot);
}

TEST(StreamWalker, FeedsInTheMotionUnitOfGsP) {
  // GS P 0 90 on a 180 dpi grid: ESC J 10 moves 20 rows.
  const auto walk = WalkStream(Hex("1D 50 00 5A 1B 4A 0A 1B 2A 21 01 00 800000 1B 4A 01"), jobcheck::Thermal(180, 512));
  ASSERT_TRUE(walk.ok) << walk.error;
  EXPECT_EQ(walk.page.At(0, 20), kDot);
}

TEST(StreamWalker, StarPinModesUseTheirPinsOnly) {
  const auto star = jobcheck::Star();
  // 18-pin double density: the 17th and 18th pins are the top bits of the third byte.
  auto walk = WalkStream(Hex("1B 5E 05 01 00 0000C0 1B 4A 12"), star);
  ASSERT_TRUE(walk.ok) << walk.error;
  EXPECT_EQ(walk.page.At(0, 16), kDot);
  EXPECT_EQ(walk.page.At(0, 17), kDot);
  EXPECT_EQ(walk.page.At(0, 15), 0);
  EXPECT_FALSE(WalkStream(Hex("1B 5E 05 01 00 000020 1B 4A 12"), star).ok);
  // 9-pin: only bit 7 of the second byte is a pin.
  EXPECT_FALSE(WalkStream(Hex("1B 5E 01 01 00 0040 1B 4A 12"), star).ok);
  EXPECT_TRUE(WalkStream(Hex("1B 5E 01 01 00 FF80 1B 4A 12"), star).ok);
}

TEST(StreamWalker, RejectsBrokenStreams) {
  const auto thermal = jobcheck::Thermal(180, 512);
  struct Case {
    const char* what;
    std::string hex;
    jobcheck::Profile profile;
  };
  const Case cases[] = {
      {"image data cut short", "1B 2A 21 02 00 FFFFFF FF", thermal},
      {"parameters cut short", "1B 40 1B 4A", thermal},
      {"lead-in cut short", "1B 40 1D", thermal},
      {"unknown command", "1B 40 1B 99 00", thermal},
      {"printable text", "1B 40 41 42 0A", thermal},
      {"empty bit image", "1B 2A 21 00 00 1B 4A 18", thermal},
      {"image wider than the paper", "1B 2A 21 01 02", thermal},
      {"raster wider than the paper", "1D 76 30 00 41 00 01 00", thermal},
      {"bit-image mode the head lacks", "1B 2A 21 01 00 FFFFFF 1B 4A 18", jobcheck::ImpactEscPos()},
      {"raster on an impact head", "1D 76 30 00 01 00 01 00 FF", jobcheck::ImpactEscPos()},
      {"graphics never printed", "1B 40 1B 2A 21 01 00 FFFFFF", thermal},
      {"cut before printing", "1B 2A 21 01 00 FFFFFF 1D 56 42 00", thermal},
      {"bad cut mode", "1D 56 07", thermal},
      {"NUL inside a stream", "1B 40 00 1B 40", thermal},
      {"ESC/P band without carriage return runs off the paper",
       "1B 2A 21 58 02 " + std::string(600 * 6, '0') + " 1B 4A 18 1B 2A 21 58 02 " + std::string(600 * 6, '0'),
       jobcheck::EscP(Dialect::EscP)},
      {"packet-mode exit with a bad EJL line", "00 00 00 1B 01 40 45 4A 4C 20 31 32 38 34 2E 35 0A 40 45 4A 4C 20 20 20 20 20 0A",
       jobcheck::EscP(Dialect::EscP)},
      {"OKI command outside the OKI dialect", "1B 40 1B 7C 15 07", jobcheck::EscP(Dialect::EscP)},
  };
  for (const Case& c : cases) {
    const auto walk = WalkStream(Hex(c.hex), c.profile);
    EXPECT_FALSE(walk.ok) << c.what;
    EXPECT_FALSE(walk.error.empty()) << c.what;
  }
}

TEST(StreamWalker, AcceptsTheOpeningsOfEachCommandSet) {
  EXPECT_TRUE(WalkStream(Hex("00 1B 40 1B 3D 01 1B 52 00 1B 74 00"), jobcheck::ImpactEscPos()).ok);
  EXPECT_TRUE(WalkStream(Hex("1B 40 1B 7A 31 1B 1D 74 00 1B 1E 69 00 1B 61 05 1B 64 00"), jobcheck::Star()).ok);
  EXPECT_TRUE(WalkStream(Hex("00 00 00 1B 01 40 45 4A 4C 20 31 32 38 34 2E 34 0A 40 45 4A 4C 20 20 20 20 20 0A"
                             "1B 40 1B 74 01 1B 36 1B 52 00 1B 72 00 1B 55 01 0C"),
                         jobcheck::EscP(Dialect::EscP))
                  .ok);
  EXPECT_TRUE(WalkStream(Hex("1B 40 18 1B 74 01 1B 36 1B 52 00 1B 7C 15 07 0C 1B 40"), jobcheck::EscP(Dialect::Oki)).ok);
}

}  // namespace
