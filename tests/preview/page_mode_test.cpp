// ESC/POS page mode: streams written from the command reference, checked by
// where the page buffer's dots land on 58 mm paper (384 dots, 203 dpi, so one
// motion unit is one dot).
#include "preview/renderer.h"

#include <gtest/gtest.h>

#include "support/hex.h"

namespace {

using preview::CommandSet;

preview::Rendering Draw(const char* hex, const preview::Limits& limits = {}) {
  const Bytes s = Hex(hex);
  return preview::Render(s, preview::Decode(s, CommandSet::EscPos), CommandSet::EscPos,
                         *preview::PaperFor("58", CommandSet::EscPos), limits);
}

// The printed dots' bounds: left, top, right, bottom; all -1 on a blank page.
struct Box {
  int left = -1, top = -1, right = -1, bottom = -1;
};
Box Bounds(const preview::Page& page) {
  Box b;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) == preview::kDot) {
        if (b.left < 0 || x < b.left) b.left = x;
        if (b.top < 0) b.top = y;
        b.right = std::max(b.right, x);
        b.bottom = y;
      }
  return b;
}

// Each stream prints signs of font A (12 x 24 cells) or a small image; the
// dots must lie within the box given.
TEST(PageMode, DataLandsAtItsPositionInTheArea) {
  const struct {
    const char* what;
    const char* hex;
    Box within;  // left, top, right, bottom, inclusive
  } rows[] = {
      {"ESC W x 32 y 16: the sign at the area's top left",
       "1B 4C 1B 57 20 00 10 00 80 00 64 00 41 0C", {32, 16, 43, 39}},
      {"ESC $ 8 and GS $ 10 inside that area",
       "1B 4C 1B 57 20 00 10 00 80 00 64 00 1B 24 08 00 1D 24 0A 00 41 0C", {40, 26, 51, 49}},
      {"ESC \\ 20 then ESC \\ -4 and GS \\ 30 then GS \\ -5",
       "1B 4C 1B 5C 14 00 1B 5C FC FF 1D 5C 1E 00 1D 5C FB FF 41 0C", {16, 25, 27, 48}},
      {"ESC T 1 in 200 x 100: three signs upwards from the bottom left",
       "1B 4C 1B 57 00 00 00 00 C8 00 64 00 1B 54 01 41 41 41 0C", {0, 64, 23, 99}},
      {"ESC T 2: right to left from the bottom right",
       "1B 4C 1B 57 00 00 00 00 C8 00 64 00 1B 54 02 41 41 41 0C", {164, 76, 199, 99}},
      {"ESC T 51 ('3'): downwards from the top right",
       "1B 4C 1B 57 00 00 00 00 C8 00 64 00 1B 54 33 41 41 41 0C", {176, 0, 199, 35}},
      {"a raster image at ESC $ 64, GS $ 20",
       "1B 4C 1D 24 14 00 1B 24 40 00 1D 76 30 00 01 00 01 00 FF 0C", {64, 20, 71, 20}},
      {"a 24-dot bit image column at ESC $ 16",
       "1B 4C 1B 24 10 00 1B 2A 21 01 00 FF FF FF 0C", {16, 0, 16, 23}},
      {"at ESC $ 40, GS H 1: GS1-128 (GS k 74) '123' above a 204 x 162 labelled box",
       "1B 4C 1B 24 28 00 1D 48 01 1D 6B 4A 03 31 32 33 0C", {40, 0, 243, 240}},
      {"ESC a 1 only sets standard mode's alignment",
       "1B 4C 1B 61 01 41 0C", {0, 0, 11, 23}},
  };
  for (const auto& row : rows) {
    const auto r = Draw(row.hex);
    const Box b = Bounds(r.page);
    EXPECT_GE(b.left, row.within.left) << row.what;
    EXPECT_GE(b.top, row.within.top) << row.what;
    EXPECT_LE(b.right, row.within.right) << row.what;
    EXPECT_LE(b.bottom, row.within.bottom) << row.what;
    EXPECT_GE(b.right, b.left) << row.what << ": something is printed";
    EXPECT_TRUE(r.stopped.empty()) << row.what << ": " << r.stopped;
  }
}

TEST(PageMode, RotatedDirectionsRunAlongTheOtherAxis) {
  for (const char* hex : {"1B 4C 1B 54 01 41 41 41 41 0C", "1B 4C 1B 54 03 41 41 41 41 0C"}) {
    const Box b = Bounds(Draw(hex).page);
    EXPECT_LT(b.right - b.left + 1, 24) << hex << ": one line across";
    EXPECT_GT(b.bottom - b.top + 1, 36) << hex << ": four signs down the paper";
  }
}

// What standard mode prints after the page shows where the paper is.
TEST(PageMode, PrintingAndLeavingThePage) {
  const struct {
    const char* what;
    const char* hex;
    const char* same;  // a standard-mode stream printing the same
  } rows[] = {
      {"FF prints the page, its height the area's (dy 100), then standard mode",
       "1B 4C 1B 57 00 00 00 00 80 01 64 00 0C 1B 24 0C 00 41 0A", "1B 4A 64 1B 24 0C 00 41 0A"},
      {"ESC S drops the page", "1B 4C 41 42 0A 1B 53 43 0A", "43 0A"},
      {"CAN clears the area", "1B 4C 1B 57 00 00 00 00 80 01 1E 00 41 18 0C 42 0A", "1B 4A 1E 42 0A"},
      {"ESC 3 100 in page mode is page mode's own line spacing",
       "1B 4C 1B 57 00 00 00 00 80 01 0A 00 1B 33 64 0C 41 0A 42 0A", "1B 4A 0A 41 0A 42 0A"},
      {"ESC @ leaves page mode and drops the page", "1B 4C 41 1B 40 42 0A", "42 0A"},
      {"the line before ESC L is printed first", "41 1B 4C 1B 57 00 00 00 00 80 01 0A 00 0C",
       "41 1B 4A 0A"},
      {"at the stream's end the page is printed, as FF would",
       "1B 4C 1B 57 00 00 00 00 80 01 1E 00 41", "1B 4C 1B 57 00 00 00 00 80 01 1E 00 41 0C"},
      {"ESC FF prints and keeps the page: twice, then dropped",
       "1B 4C 1B 57 00 00 00 00 80 01 1E 00 41 1B 0C 1B 0C 1B 53", "41 1B 4A 1E 41 1B 4A 1E"},
  };
  for (const auto& row : rows) {
    const auto page = Draw(row.hex).page;
    const auto same = Draw(row.same).page;
    EXPECT_EQ(page.height, same.height) << row.what;
    EXPECT_TRUE(page.cells == same.cells) << row.what;
  }
}

// A print area of 65535 x 65535 is clipped to the paper's width and the page;
// the page buffer costs no more than the page does.
TEST(PageMode, AHugeAreaStaysWithinThePageAndTheBudget) {
  const auto r = Draw("1B 4C 1B 57 00 00 00 00 FF FF FF FF 1B 54 01 41 0C 42 0A");
  EXPECT_EQ(r.page.width, 384);
  EXPECT_LE(r.page.height, 3000 / 25.4 * 203 + 1);
  EXPECT_FALSE(r.stopped.empty()) << "the page is longer than 3 m";
  const auto tight = Draw("1B 4C 1B 57 00 00 00 00 FF FF FF FF 1D 24 00 50 41 0C", {3000, 1'000'000});
  EXPECT_NE(tight.stopped.find("dots"), std::string::npos) << tight.stopped;
}

}  // namespace
