#include "preview/renderer.h"
#include "preview/symbols.h"

#include <gtest/gtest.h>

#include <random>

#include "support/hex.h"

namespace {

using preview::CommandSet;

preview::Rendering Draw(const char* hex, CommandSet set = CommandSet::EscPos, const char* paper = "58") {
  const Bytes s = Hex(hex);
  return preview::Render(s, preview::Decode(s, set), set, *preview::PaperFor(paper, set));
}

// The top-left corner of a page as rows of '#' (dot), '-' (mark) and '.'.
std::vector<std::string> Corner(const preview::Page& page, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < std::min(height, page.height); ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t c = page.At(x, y);
      row += c == preview::kDot ? '#' : c == preview::kMark ? '-' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(Renderer, RasterImageRowsAndDoubleWidth) {
  const auto r = Draw("1D 76 30 00 01 00 02 00 F0 0F 1D 76 30 01 01 00 01 00 C0");
  EXPECT_EQ(Corner(r.page, 8, 3), (std::vector<std::string>{"####....", "....####", "####...."}));
  EXPECT_EQ(r.images, 2);
}

TEST(Renderer, EightDotBitImageColumnsOnTheThermalGrid) {
  // ESC * 1: 8-dot double density, each dot 1 column wide and 3 rows tall.
  const auto r = Draw("1B 2A 01 02 00 80 01 0A");
  EXPECT_EQ(Corner(r.page, 3, 3), (std::vector<std::string>{"#..", "#..", "#.."}));
  EXPECT_EQ(r.page.At(1, 21), preview::kDot);
  EXPECT_EQ(r.page.At(0, 21), preview::kPaper);
}

TEST(Renderer, FeedMovesByMotionUnitsAndCutsAreMarked) {
  // 203 dpi: ESC J 203 is one inch; the cut is marked there, then a gap.
  const auto r = Draw("1B 4A CB 1D 56 00");
  EXPECT_EQ(r.cuts, 1);
  EXPECT_EQ(r.page.At(0, 203), preview::kMark);
  EXPECT_EQ(r.page.At(4, 203), preview::kPaper);
  EXPECT_EQ(r.page.At(0, 202), preview::kPaper);
}

TEST(Renderer, TextIsDrawnInTheBuiltInFont) {
  const auto ascii = Draw("41 0A");
  const auto chinese = Draw("D6 D0 0A");  // 中
  int inCell = 0, outside = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) (x < 12 ? inCell : outside) += ascii.page.At(x, y) == preview::kDot;
  EXPECT_GT(inCell, 20);
  EXPECT_EQ(outside, 0);
  int wide = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 12; x < 24; ++x) wide += chinese.page.At(x, y) == preview::kDot;
  EXPECT_GT(wide, 10) << "a Chinese sign is 24 dots wide";
}

TEST(Renderer, CentredDoubleWidthTextMovesRight) {
  const auto left = Draw("1D 21 10 41 0A");
  const auto centred = Draw("1B 61 01 1D 21 10 41 0A");
  int leftmost = 1000;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < centred.page.width; ++x)
      if (centred.page.At(x, y) == preview::kDot) leftmost = std::min(leftmost, x);
  EXPECT_GE(leftmost, (384 - 24) / 2);
  EXPECT_LT(leftmost, (384 - 24) / 2 + 24);
  EXPECT_EQ(left.page.At(30, 12), preview::kPaper);
}

TEST(Renderer, DownloadedImagePrintsWhereGsSlashIs) {
  // GS * 1 1: 8 columns of 8 dots; column 0 full, the rest empty.
  const auto r = Draw("1D 2A 01 01 FF 00 00 00 00 00 00 00 1D 2F 00");
  EXPECT_EQ(Corner(r.page, 2, 8), std::vector<std::string>(8, "#."));
}

TEST(Renderer, StarAndEscPImagesUseTheirHeads) {
  // STAR ESC K: 8 dots 1/72 inch apart on a 1/144 inch grid: every other row.
  const auto star = Draw("1B 4B 01 00 C0 0A", CommandSet::Star, "76");
  EXPECT_EQ(star.page.dpiY, 144);
  EXPECT_EQ(star.page.At(0, 0), preview::kDot);
  EXPECT_EQ(star.page.At(0, 2), preview::kDot);
  EXPECT_EQ(star.page.At(0, 4), preview::kPaper);
  // ESC/P ESC * 33: 24 dots 1/180 inch apart, carriage kept after ESC J.
  const auto escp = Draw("1B 2A 21 01 00 E0 00 01 1B 4A 18", CommandSet::EscP, "76");
  EXPECT_EQ(Corner(escp.page, 1, 4), (std::vector<std::string>{"#", "#", "#", "."}));
  EXPECT_EQ(escp.page.At(0, 23), preview::kDot);
  EXPECT_EQ(escp.page.height, 25);
}

// Streams that ask for more than a page holds: each picture stays within
// 3 m of paper and 9 inches of canvas, and says why it ends early.
TEST(Renderer, HostileStreamsStayWithinThePage) {
  std::string tallImage = "1D 76 30 00 01 00 FF 00";  // 8 x 255 dots
  for (int i = 0; i < 255; ++i) tallImage += " FF";
  struct Row {
    const char* what;
    const char* head;
    std::string repeated;
    int times;
    const char* tail;
    const char* stopped;  // part of the reason; "" when the stream fits
    int height;           // rows of the page; 0: not checked
  } rows[] = {
      // 58 mm at 203 dpi: 3000 / 25.4 * 203 = 23976 rows.
      {"GS P 0 1, ESC 3 255, ESC d 255", "1D 50 00 01 1B 33 FF 1B 64 FF", "", 0, "", "3000 mm of paper", 23976},
      {"ESC d 255 at the default spacing", "", "1B 64 FF", 410, "", "3000 mm of paper", 23976},
      {"feeds past 2^32 rows, then text", "1D 50 00 01 1B 33 FF", "1B 64 FF", 400, "41 0A", "3000 mm of paper", 23976},
      {"images 25500 rows tall", "", tallImage, 100, "", "3000 mm of paper", 23976},
      {"65535 x 65535 raster bytes announced at the end", "1D 76 30 00 FF FF FF FF 00", "", 0, "", "", 1},
      {"a raster row 524280 dots wide", "1D 76 30 00 FF FF 01 00", "FF", 65535, "", "", 2},
      {"ESC * 33 with 65535 columns", "1B 2A 21 FF FF", "FF", 3 * 65535, "0A", "", 0},
      {"a bar code of 3000 characters", "1D 6B 04", "41", 3000, "00", "", 0},
      // 1/6 inch is 34 rows: the line's feed ends at row 34.
      {"a reverse feed past the top", "1B 6A FF 41 0A", "", 0, "", "", 35},
  };
  for (const Row& row : rows) {
    std::string hex = row.head;
    for (int i = 0; i < row.times; ++i) (hex += ' ') += row.repeated;
    (hex += ' ') += row.tail;
    const auto r = Draw(hex.c_str());
    EXPECT_LE(r.page.height, 23976) << row.what;
    EXPECT_LE(r.page.width, 9 * 203) << row.what;
    EXPECT_EQ(r.page.cells.size(), static_cast<std::size_t>(r.page.width) * r.page.height) << row.what;
    if (row.height > 0) {
      EXPECT_EQ(r.page.height, row.height) << row.what;
    }
    EXPECT_EQ(r.stopped.empty(), *row.stopped == '\0') << row.what << ": " << r.stopped;
    EXPECT_NE(r.stopped.find(row.stopped), std::string::npos) << row.what << ": " << r.stopped;
  }
}

TEST(Renderer, DrawingStopsWhenTheDotBudgetIsSpent) {
  // A narrow sign is 12 x 24 = 288 dots and each costs 64 more: the third
  // does not fit 1000, the first two are printed.
  const Bytes s = Hex("41 41 41 41 41 41 41 41 41 41 0A");
  const auto r = preview::Render(s, preview::Decode(s, CommandSet::EscPos), CommandSet::EscPos,
                                 *preview::PaperFor("58", CommandSet::EscPos), preview::Limits{3000, 1000});
  EXPECT_NE(r.stopped.find("more than 1000 dots"), std::string::npos) << r.stopped;
  int first = 0, rest = 0;
  for (int y = 0; y < std::min(24, r.page.height); ++y)
    for (int x = 0; x < 60; ++x) (x < 24 ? first : rest) += r.page.At(x, y) == preview::kDot;
  EXPECT_GT(first, 20);
  EXPECT_EQ(rest, 0);
}

// The leftmost printed column of a page, or -1.
int Leftmost(const preview::Page& page) {
  int left = -1;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) == preview::kDot && (left < 0 || x < left)) left = x;
  return left;
}

TEST(Renderer, EscPosPositionsMarginsAndPrintAreaAreInMotionUnits) {
  // 58 mm at 203 dpi: one horizontal unit is one dot until GS P changes it.
  // A narrow sign is 12 dots wide, so its first dot lies in [cell, cell + 12).
  const struct {
    const char* what;
    const char* hex;
    int cell;
  } rows[] = {
      {"ESC $ 100", "1B 24 64 00 41 0A", 100},
      {"GS P 102 0, ESC $ 51: half an inch", "1D 50 66 00 1B 24 33 00 41 0A", 102},
      {"GS L 64", "1D 4C 40 00 41 0A", 64},
      {"GS L 64, ESC $ 10: from the margin", "1D 4C 40 00 1B 24 0A 00 41 0A", 74},
      {"ESC \\ 20", "1B 5C 14 00 41 0A", 20},
      {"ESC $ 100, ESC \\ -20", "1B 24 64 00 1B 5C EC FF 41 0A", 80},
      {"GS W 200, centred", "1D 57 C8 00 1B 61 01 41 0A", (200 - 12) / 2},
      {"GS L 100, GS W 100, right", "1D 4C 64 00 1D 57 64 00 1B 61 02 41 0A", 200 - 12},
      {"ESC @ drops the margin", "1D 4C 40 00 1B 40 41 0A", 0},
  };
  for (const auto& row : rows) {
    const int left = Leftmost(Draw(row.hex).page);
    EXPECT_GE(left, row.cell) << row.what;
    EXPECT_LT(left, row.cell + 12) << row.what;
  }
}

TEST(Renderer, ImagesAndBarCodesFollowTheAlignment) {
  const struct {
    const char* what;
    const char* hex;
    int left;
  } rows[] = {
      {"raster, 8 dots", "1B 61 01 1D 76 30 00 01 00 01 00 FF", (384 - 8) / 2},
      {"raster, right", "1B 61 02 1D 76 30 00 01 00 01 00 FF", 384 - 8},
      {"raster after GS L 40", "1D 4C 28 00 1D 76 30 00 01 00 01 00 FF", 40},
      {"downloaded image, 8 columns", "1D 2A 01 01 FF FF FF FF FF FF FF FF 1B 61 01 1D 2F 00", (384 - 8) / 2},
  };
  for (const auto& row : rows) EXPECT_EQ(Leftmost(Draw(row.hex).page), row.left) << row.what;
  // GS w 2, CODE128 right-aligned: its stop pattern ends in a bar, ten
  // modules of 2 dots before the paper's edge.
  const preview::Page code = Draw("1D 77 02 1B 61 02 1D 6B 49 03 7B 42 41").page;
  int right = -1;
  for (int x = 0; x < code.width; ++x)
    if (code.At(x, 0) == preview::kDot) right = x;
  EXPECT_EQ(right, 384 - 20 - 1);
}

TEST(Renderer, ASymbolTheLibraryCannotDrawIsALabelledBox) {
  // GS1-128 (GS k 74) with "123", GS w 3: a frame (35 + 11 x 3) x 3 = 204
  // dots wide and 162 tall at the left, its label on the line under it.
  const auto r = Draw("1D 6B 4A 03 31 32 33");
  EXPECT_EQ(r.images, 1);
  EXPECT_EQ(Corner(r.page, 1, 1), std::vector<std::string>{"#"});
  EXPECT_EQ(r.page.At(203, 0), preview::kDot);
  EXPECT_EQ(r.page.At(204, 0), preview::kPaper);
  EXPECT_EQ(r.page.At(0, 161), preview::kDot);
  EXPECT_EQ(r.page.At(100, 80), preview::kPaper);
  int label = 0;
  for (int y = 164; y < 188; ++y)
    for (int x = 0; x < 100; ++x) label += r.page.At(x, y) == preview::kDot;
  EXPECT_GT(label, 50);
}

// Pictures stored by one command and printed by another, 9 x 2 dots:
// a full row of 9, then the first dot alone.
TEST(Renderer, StoredGraphicsPrintWhereTheStreamPrintsThem) {
  const std::vector<std::string> picture = {"#########.", "#........."};
  const struct {
    const char* what;
    const char* hex;
    std::vector<std::string> corner;  // 10 x 2
  } rows[] = {
      {"GS ( L 112 raster, then 50", "1D 28 4C 0E 00 30 70 30 01 01 31 09 00 02 00 FF 80 80 00 1D 28 4C 02 00 30 32",
       picture},
      {"GS 8 L, the same", "1D 38 4C 0E 00 00 00 30 70 30 01 01 31 09 00 02 00 FF 80 80 00 1D 38 4C 02 00 00 00 30 32",
       picture},
      // Columns of (2 + 7) / 8 = 1 byte: C0 then 8 x 80.
      {"GS ( L 113 columns", "1D 28 4C 13 00 30 71 30 01 01 31 09 00 02 00 C0 80 80 80 80 80 80 80 80 1D 28 4C 02 00 30 32",
       picture},
      {"NV graphics by key code, 67 then 69",
       "1D 28 4C 0F 00 30 43 30 20 21 01 09 00 02 00 31 FF 80 80 00 1D 28 4C 06 00 30 45 20 21 01 01", picture},
      {"stored, never printed", "1D 28 4C 0E 00 30 70 30 01 01 31 09 00 02 00 FF 80 80 00", {}},
      {"printed twice as wide", "1D 28 4C 0E 00 30 70 30 02 01 31 09 00 02 00 FF 80 80 00 1D 28 4C 02 00 30 32",
       {"##########", "##........"}},
      // FS q: one image of 1 x 1 bytes (8 x 8 dots, columns), the first column full.
      {"FS q then FS p 1", "1C 71 01 01 00 01 00 FF 00 00 00 00 00 00 00 1C 70 01 00", {"#.........", "#........."}},
  };
  for (const auto& row : rows) {
    const auto r = Draw(row.hex);
    if (row.corner.empty()) {
      EXPECT_EQ(Leftmost(r.page), -1) << row.what;
      continue;
    }
    EXPECT_EQ(Corner(r.page, 10, 2), row.corner) << row.what;
    EXPECT_EQ(r.images, 1) << row.what;
  }
}

// The printed columns of a page as a range [first, last], {-1, -1} when blank.
std::pair<int, int> Columns(const preview::Page& page) {
  int first = -1, last = -1;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) == preview::kDot) {
        if (first < 0 || x < first) first = x;
        last = std::max(last, x);
      }
  return {first, last};
}

// The rows with a printed dot, as [first, last].
std::pair<int, int> Rows(const preview::Page& page) {
  int first = -1, last = -1;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) == preview::kDot) {
        if (first < 0) first = y;
        last = y;
      }
  return {first, last};
}

// GS ( k MaxiCode, mode 4 (n 52), "MAXI 1" stored and printed: one size,
// 28.14 x 26.91 mm, 225 x 215 dots at 203 dpi, whatever the module setting.
TEST(Renderer, MaxiCodeIsDrawnAtItsOneSize) {
  if (!preview::HaveSymbolLibrary()) GTEST_SKIP() << "no symbol library in this build";
  const auto page = Draw("1D 28 6B 03 00 32 41 34 1D 28 6B 09 00 32 50 30 4D 41 58 49 20 31 1D 28 6B 03 00 32 51 30",
                         CommandSet::EscPos, "80").page;
  const auto [left, right] = Columns(page);
  const auto [top, bottom] = Rows(page);
  EXPECT_NEAR(right - left + 1, 225, 4);
  EXPECT_NEAR(bottom - top + 1, 215, 4);
}

TEST(Renderer, TextModesChangeWhereAndHowSignsArePrinted) {
  // 'H' fills its 12 x 24 cell at both sides; 58 mm paper, 384 dots.
  const auto plain = Columns(Draw("48 48 0A").page);
  const auto plainRows = Rows(Draw("48 0A").page);
  ASSERT_GE(plain.first, 0);
  // ESC SP 10: ten dots after each sign, so the pair ends 10 dots later.
  EXPECT_EQ(Columns(Draw("1B 20 0A 48 48 0A").page).second, plain.second + 10);
  // Font B (ESC M 1 or ESC ! 1): 9 x 17 cells.
  for (const char* hex : {"1B 4D 01 48 0A", "1B 21 01 48 0A"}) {
    EXPECT_LT(Columns(Draw(hex).page).second, 9) << hex;
    EXPECT_LE(Rows(Draw(hex).page).second - Rows(Draw(hex).page).first, 17) << hex;
  }
  // ESC V 1: the sign turned lies 24 dots wide.
  EXPECT_GE(Columns(Draw("1B 56 01 48 0A").page).second, 12);
  EXPECT_LT(Rows(Draw("1B 56 01 48 0A").page).second, 12);
  // GS B 1: white on black, so the cell's corner is printed.
  EXPECT_EQ(Draw("1D 42 01 48 0A").page.At(0, 0), preview::kDot);
  EXPECT_EQ(Draw("48 0A").page.At(0, 0), preview::kPaper);
  // ESC { 1: the line turned 180 degrees ends at the right edge.
  const auto turned = Columns(Draw("1B 7B 01 48 0A").page);
  EXPECT_EQ(turned.second, 383 - plain.first);
  EXPECT_EQ(Rows(Draw("1B 7B 01 48 0A").page).second, 23 - plainRows.first);
  // ESC e 1: one line back, so the next line prints over the first.
  EXPECT_EQ(Draw("48 0A 1B 65 01 48 0A").page.height, Draw("48 0A").page.height);
}

TEST(Renderer, StarLineModeSizesPositionsAndHighlight) {
  // 76 mm STAR head: 1/160 by 1/144 inch, so a sign is 12 x 24 dots.
  const auto draw = [](const char* hex) { return Draw(hex, CommandSet::Star, "76").page; };
  const auto plain = Columns(draw("48 0A"));
  // ESC i 1 1: twice as tall and wide.
  EXPECT_GE(Columns(draw("1B 69 01 01 48 0A")).second, 2 * plain.second);
  EXPECT_GE(Rows(draw("1B 69 31 31 48 0A")).second, 24);
  // ESC GS A 100 0, then ESC GS R -10: the sign's cell starts at 90.
  const int left = Columns(draw("1B 1D 41 64 00 1B 1D 52 F6 FF 48 0A")).first;
  EXPECT_EQ(left, 90 + plain.first);
  // ESC 4: highlight, white on black.
  EXPECT_EQ(draw("1B 34 48 0A").At(0, 0), preview::kDot);
  EXPECT_EQ(draw("1B 34 1B 35 48 0A").At(0, 0), preview::kPaper);
  // ESC k 1 0: 24 rows of one byte, 80 40 .. 01 three times: a falling
  // diagonal, one dot per bit.
  const auto image = draw("1B 6B 01 00 80 40 20 10 08 04 02 01 80 40 20 10 08 04 02 01 80 40 20 10 08 04 02 01 0A");
  for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}, {0, 8}, {7, 23}}) EXPECT_EQ(image.At(x, y), preview::kDot) << x << "," << y;
  EXPECT_EQ(image.At(1, 0), preview::kPaper);
  EXPECT_EQ(Columns(image).second, 7);
  // ESC d: 0 and 1 cut where the paper is; 2 and 3 feed the dot-matrix
  // head's inch (144 rows) to the cutter first; a thermal head cuts here.
  for (const char* cut : {"1B 64 00", "1B 64 31"}) EXPECT_EQ(draw(cut).At(0, 0), preview::kMark) << cut;
  for (const char* cut : {"1B 64 02", "1B 64 33"}) EXPECT_EQ(draw(cut).At(0, 144), preview::kMark) << cut;
  EXPECT_EQ(Draw("1B 64 02", CommandSet::Star, "80").page.At(0, 0), preview::kMark);
}

TEST(Renderer, SingleByteTablesDrawTheirOwnSigns) {
  // PC866 8F is a Cyrillic capital, drawn, not the '?' of an unknown sign;
  // in Chinese mode the same byte is no text at all.
  const auto cyrillic = Draw("1C 2E 1B 74 11 8F 0A").page;
  const auto question = Draw("3F 0A").page;
  EXPECT_GT(Columns(cyrillic).second, 0);
  EXPECT_NE(cyrillic.cells, question.cells);
  EXPECT_EQ(Columns(Draw("8F 0A").page).first, -1);
}

// GB18030's four-byte 81 39 EE 39 (U+3400) and 82 37 CF 35 (U+AC00): wide
// signs of their own, not the narrow '?' of a sign the font lacks.
TEST(Renderer, FourByteSignsAreDrawnWide) {
  const auto question = Draw("3F 0A").page;
  for (const char* hex : {"81 39 EE 39 0A", "82 37 CF 35 0A"}) {
    const auto sign = Draw(hex).page;
    EXPECT_GE(Columns(sign).second, 12) << hex;
    EXPECT_NE(sign.cells, question.cells) << hex;
  }
}

TEST(Renderer, UserDefinedCharactersReplaceTheFontWhileOn) {
  // ESC & 3 'A' 'A': 2 columns of 3 bytes, the first full (24 dots), the second empty.
  const char* define = "1B 26 03 41 41 02 FF FF FF 00 00 00 ";
  EXPECT_EQ(Corner(Draw((std::string(define) + "1B 25 01 41 0A").c_str()).page, 2, 24),
            std::vector<std::string>(24, "#."));
  EXPECT_EQ(Draw((std::string(define) + "41 0A").c_str()).page.cells, Draw("41 0A").page.cells) << "ESC % 1 not given";
  EXPECT_EQ(Draw((std::string(define) + "1B 25 01 1B 3F 41 41 0A").c_str()).page.cells, Draw("41 0A").page.cells)
      << "cancelled by ESC ?";
}

// Random streams, rich in escape bytes, in every set and on every paper:
// each picture stays within its limits (here 500 mm and 2 million dots).
TEST(Renderer, RandomStreamsStayWithinTheLimits) {
  std::mt19937 random(14);
  const preview::Limits limits{500, 2'000'000};
  for (int run = 0; run < 30; ++run) {
    Bytes s(2048);
    for (auto& b : s) b = static_cast<std::uint8_t>(random() % 4 ? random() : 0x1B + random() % 3);
    for (CommandSet set : {CommandSet::EscPos, CommandSet::Star, CommandSet::EscP, CommandSet::Oki}) {
      const preview::Decoding d = preview::Decode(s, set);
      for (const char* name : {"58", "80", "76"}) {
        const preview::Paper paper = *preview::PaperFor(name, set);
        const auto r = preview::Render(s, d, set, paper, limits);
        ASSERT_LE(r.page.height, 500 / 25.4 * paper.dpiY + 1) << run << ' ' << name;
        ASSERT_LE(r.page.width, 9 * paper.dpiX) << run << ' ' << name;
        ASSERT_EQ(r.page.cells.size(), static_cast<std::size_t>(r.page.width) * r.page.height) << run << ' ' << name;
      }
    }
  }
}

TEST(Renderer, BarCodeTextFollowsGsHAndGsF) {
  // CODE128 "AB": no text by default; GS H 2 puts it below, GS f 1 in font B.
  const char* code = "1D 6B 49 04 7B 42 41 42";
  const auto none = Draw(code).page;
  const auto below = Draw((std::string("1D 48 02 ") + code).c_str()).page;
  const auto small = Draw((std::string("1D 48 02 1D 66 01 ") + code).c_str()).page;
  EXPECT_GT(below.height, none.height);
  EXPECT_LT(Rows(small).second, Rows(below).second);
  // DataBar's text above (GS H 1): "(01)", the 13 digits and their check digit.
  if (preview::HaveSymbolLibrary()) {
    EXPECT_EQ(Corner(Draw("1D 48 01 1D 6B 4B 0D 30 39 35 30 31 31 30 31 35 33 30 30 30").page, 384, 24),
              Corner(Draw("28 30 31 29 30 39 35 30 31 31 30 31 35 33 30 30 30 33 0A").page, 384, 24));
  }
}

}  // namespace
