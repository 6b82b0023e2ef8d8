#include <gtest/gtest.h>

#include <array>
#include <variant>

#include "panels/epson_panel.h"
#include "panels/panel_harness.h"

namespace {

// One piece of a band: a picture block (its width) or printer text.
using Piece = std::variant<int, std::string>;

// Splits a band into picture blocks and text, checking each block header.
std::vector<Piece> ParseBand(const Bytes& stream, std::size_t& at, const Bytes& end,
                             std::vector<Bytes>& blockData) {
  std::vector<Piece> pieces;
  while (at < stream.size()) {
    if (stream.size() - at >= end.size() && Bytes(stream.begin() + at, stream.begin() + at + end.size()) == end) {
      at += end.size();
      return pieces;
    }
    if (stream[at] == 0x1B && stream[at + 1] == 0x2A) {
      EXPECT_EQ(stream[at + 2], 0x01) << "8-dot double density";
      const int width = stream[at + 3] + 256 * stream[at + 4];
      blockData.emplace_back(stream.begin() + at + 5, stream.begin() + at + 5 + width);
      pieces.emplace_back(width);
      at += 5 + width;
    } else {
      std::string text;
      while (at < stream.size() && stream[at] >= 0x20 && stream[at] < 0x7F) text += static_cast<char>(stream[at++]);
      if (text.empty()) {
        ADD_FAILURE() << "unexpected byte " << int(stream[at]) << " at " << at;
        return pieces;
      }
      pieces.emplace_back(text);
    }
  }
  ADD_FAILURE() << "band not terminated";
  return pieces;
}

class WeighingTicket : public ::testing::Test {
 protected:
  void SetUp() override {
    PanelHarness<EpsonPanel> h;
    const std::vector<Bytes> runs = h.Press(1043);
    ASSERT_EQ(runs.size(), 1u);
    ticket = runs[0];
    EXPECT_EQ(h.resetCount, 1);
  }

  // The three 16-dot lines of the picture as rows of dots, per pass pair.
  Bytes ticket;
};

TEST_F(WeighingTicket, HasTheHeadSixBandsAndTheirLengths) {
  ASSERT_EQ(ticket.size(), 2736u);
  EXPECT_EQ(Bytes(ticket.begin(), ticket.begin() + 9), Hex("1B 40 1B 78 01 1B 33 16 0D"));

  const Bytes firstPassEnd = Hex("1B 4A 01 0D"), secondPassEnd = Hex("0A");
  const std::vector<Piece> edge = {64, 112, 112, 112, 128};
  const std::vector<Piece> textFirst = {48, " ", 16, " ", 32, std::string(13, ' '), 32, 32, std::string(13, ' '), 32};
  const std::vector<Piece> textSecond = {48, ":", 16, " ", 32, ":      6090kg", 32, 32, ":       120kg", 32};
  const struct {
    std::vector<Piece> pieces;
    bool firstPass;
    std::size_t length;
  } bands[] = {{edge, true, 557}, {edge, false, 554}, {textFirst, true, 254},
               {textSecond, false, 251}, {edge, true, 557}, {edge, false, 554}};

  std::size_t at = 9, columnBytes = 0;
  for (const auto& band : bands) {
    const std::size_t start = at;
    std::vector<Bytes> data;
    EXPECT_EQ(ParseBand(ticket, at, band.firstPass ? firstPassEnd : secondPassEnd, data), band.pieces);
    EXPECT_EQ(at - start, band.length);
    for (const Bytes& d : data) columnBytes += d.size();
  }
  EXPECT_EQ(at, ticket.size());
  EXPECT_EQ(columnBytes, 2496u);
}

// Interleaves the two passes of a pair into 16 rows per column.
std::vector<std::array<bool, 16>> PairDots(const Bytes& ticket, std::size_t& at, const Bytes& firstEnd) {
  std::vector<Bytes> first, second;
  ParseBand(ticket, at, firstEnd, first);
  ParseBand(ticket, at, Hex("0A"), second);
  std::vector<std::array<bool, 16>> columns;
  for (std::size_t b = 0; b < first.size(); ++b)
    for (std::size_t c = 0; c < first[b].size(); ++c) {
      std::array<bool, 16> dots{};
      for (int bit = 0; bit < 8; ++bit) {
        dots[2 * bit] = first[b][c] & (0x80 >> bit);
        dots[2 * bit + 1] = second[b][c] & (0x80 >> bit);
      }
      columns.push_back(dots);
    }
  return columns;
}

TEST_F(WeighingTicket, DrawsAFrameAroundTheLabels) {
  std::size_t at = 9;
  const Bytes firstEnd = Hex("1B 4A 01 0D");
  const auto top = PairDots(ticket, at, firstEnd);
  const auto text = PairDots(ticket, at, firstEnd);
  const auto bottom = PairDots(ticket, at, firstEnd);
  ASSERT_EQ(top.size(), 528u);
  ASSERT_EQ(text.size(), 192u);
  ASSERT_EQ(bottom.size(), 528u);

  // Top and bottom edges: exactly two rows thick from column 7 to 520.
  for (const auto* pair : {&top, &bottom}) {
    for (int c = 0; c < 528; ++c) {
      if (c >= 7 && c <= 520) continue;
      for (int r = 0; r < 16; ++r) EXPECT_FALSE((*pair)[c][r]) << "column " << c;
    }
    int edgeRows = 0;
    for (int r = 0; r < 16; ++r) {
      bool rowFull = true;
      for (int c = 7; c <= 520; ++c) rowFull = rowFull && (*pair)[c][r];
      edgeRows += rowFull;
    }
    EXPECT_EQ(edgeRows, 2);
  }
  // The side lines run through the text line: columns 7, 8 of the first
  // block and 23, 24 of the last block, all 16 rows.
  for (int c : {7, 8, 160 + 23, 160 + 24})
    for (int r = 0; r < 16; ++r) EXPECT_TRUE(text[c][r]) << "column " << c << " row " << r;
  // The side lines continue in the edge pairs at 7, 8 and 519, 520.
  for (int c : {7, 8, 519, 520}) {
    EXPECT_TRUE(top[c][15]);
    EXPECT_TRUE(bottom[c][0]);
  }
  // Labels in the 48-, first and third 32-column blocks; the 16-column and
  // second 32-column blocks are blank.
  auto dotsIn = [&](int from, int to) {
    int n = 0;
    for (int c = from; c < to; ++c)
      for (int r = 0; r < 16; ++r) n += text[c][r];
    return n;
  };
  EXPECT_GT(dotsIn(9, 48), 40);    // 累计
  EXPECT_EQ(dotsIn(48, 64), 0);
  EXPECT_GT(dotsIn(64, 96), 40);   // 毛重
  EXPECT_EQ(dotsIn(96, 128), 0);
  EXPECT_GT(dotsIn(128, 160), 40); // 净重
  EXPECT_EQ(dotsIn(160, 192), 32); // only the right side line
}

}  // namespace
