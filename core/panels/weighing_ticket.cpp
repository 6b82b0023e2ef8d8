#include "panels/weighing_ticket.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

// 16-dot glyphs of the three labels, '#' is a dot.
using Glyph = std::array<std::string_view, 16>;

constexpr Glyph kLei = {  // 累
    "................", "..############..", "..#....#.....#..", "..############..",
    "..#....#.....#..", "..############..", ".......##.......", ".....##...##....",
    "...##########...", ".........#......", ".......##..#....", "..############..",
    "........#.......", "....#...#...#...", "...#....#....#..", "..#....##.....#."};
constexpr Glyph kJi = {  // 计
    "................", ".##.......##....", "..##......##....", "...##.....##....",
    "..........##....", "###..###########", "..#.......##....", "..#.......##....",
    "..#.......##....", "..#.......##....", "..#.......##....", "..#.#.....##....",
    "..##......##....", "..#.......##....", "..........##....", "................"};
constexpr Glyph kMao = {  // 毛
    "................", "...........##...", ".....#######....", "........#.......",
    "...##########...", "........#.......", "........#.......", ".##############.",
    "........#.......", "........#.......", "........#.......", "........#....#..",
    "........#....#..", ".........#####..", "................", "................"};
constexpr Glyph kZhong = {  // 重
    "................", "..........###...", "..#########.....", ".......#........",
    ".##############.", ".......#........", "...##########...", "...#...#....#...",
    "...##########...", "...#...#....#...", "...##########...", ".......#........",
    "..############..", ".......#........", ".##############.", "................"};
constexpr Glyph kJing = {  // 净
    "................", ".........#......", ".#......######..", "..#....#....#...",
    "..#...#....#....", ".....##########.", "............#...", "...#..#######...",
    "...#........#...", "..#.##########..", "..#.........#...", ".#....#######...",
    ".#..........#...", "............#...", "..........###...", "................"};

// A 16-dot-high strip of the picture, one 16-bit word per column, the
// most significant bit topmost.
class Strip {
 public:
  explicit Strip(int width) : dots_(width, 0) {}

  void Set(int column, int row) { dots_[column] |= static_cast<std::uint16_t>(0x8000u >> row); }
  void Rectangle(int left, int top, int right, int bottom) {
    for (int c = left; c <= right; ++c)
      for (int r = top; r <= bottom; ++r) Set(c, r);
  }
  void Draw(const Glyph& glyph, int left) {
    for (int r = 0; r < 16; ++r)
      for (int c = 0; c < 16; ++c)
        if (glyph[r][c] == '#') Set(left + c, r);
  }

  // ESC * 1 block of columns [from, from + width): the even dot rows for
  // pass 0, the odd ones for pass 1.
  std::string Block(int pass, int from, int width) const {
    std::string out = "\x1B*\x01"s;
    out += static_cast<char>(width & 0xFF);
    out += static_cast<char>(width >> 8);
    for (int c = from; c < from + width; ++c) {
      std::uint8_t byte = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (dots_[c] & (0x8000u >> (2 * bit + pass))) byte |= static_cast<std::uint8_t>(0x80u >> bit);
      out += static_cast<char>(byte);
    }
    return out;
  }
  std::string Block(int pass) const { return Block(pass, 0, static_cast<int>(dots_.size())); }

 private:
  std::vector<std::uint16_t> dots_;
};

// Each 16-dot line prints in two passes: the first ends with a one-unit
// feed and a carriage return, the second with a line feed.
constexpr std::string_view kPassEnd[2] = {"\x1BJ\x01\r"sv, "\n"sv};

constexpr int kFrameWidth = 528;
constexpr int kFrameLeft = 7;    // left side line: columns 7, 8
constexpr int kFrameRight = 520; // right side line: columns 519, 520
constexpr int kEdgeBlocks[] = {64, 112, 112, 112, 128};

// A frame edge pair: the top edge with the upper ends of the side lines,
// or the lower ends with the bottom edge.
std::string EdgePair(bool top) {
  Strip strip(kFrameWidth);
  const int edgeRow = top ? 8 : 6;
  strip.Rectangle(kFrameLeft, edgeRow, kFrameRight, edgeRow + 1);
  const int sideTop = top ? 8 : 0, sideBottom = top ? 15 : 7;
  strip.Rectangle(kFrameLeft, sideTop, kFrameLeft + 1, sideBottom);
  strip.Rectangle(kFrameRight - 1, sideTop, kFrameRight, sideBottom);

  std::string out;
  for (int pass = 0; pass < 2; ++pass) {
    int from = 0;
    for (int width : kEdgeBlocks) {
      out += strip.Block(pass, from, width);
      from += width;
    }
    out += kPassEnd[pass];
  }
  return out;
}

// The text line: labels as pictures, the weights as printer text. Spaces
// in the first pass keep the pictures in step with the second pass.
std::string TextPair() {
  Strip total(48), blank16(16), gross(32), blank32(32), net(32), rightSide(32);
  total.Rectangle(kFrameLeft, 0, kFrameLeft + 1, 15);
  total.Draw(kLei, 14);
  total.Draw(kJi, 30);
  gross.Draw(kMao, 0);
  gross.Draw(kZhong, 16);
  net.Draw(kJing, 0);
  net.Draw(kZhong, 16);
  rightSide.Rectangle(23, 0, 24, 15);

  struct Piece {
    const Strip* strip;
    std::string_view text[2];
  };
  const Piece pieces[] = {
      {&total, {}},
      {nullptr, {" "sv, ":"sv}},
      {&blank16, {}},
      {nullptr, {" "sv, " "sv}},
      {&gross, {}},
      {nullptr, {"             "sv, ":      6090kg"sv}},
      {&blank32, {}},
      {&net, {}},
      {nullptr, {"             "sv, ":       120kg"sv}},
      {&rightSide, {}},
  };
  std::string out;
  for (int pass = 0; pass < 2; ++pass) {
    for (const Piece& piece : pieces) out += piece.strip ? piece.strip->Block(pass) : std::string(piece.text[pass]);
    out += kPassEnd[pass];
  }
  return out;
}

std::string BuildTicket() {
  // ESC @, ESC x 1 (letter quality), ESC 3 22 (line spacing), CR.
  std::string out = "\x1B@\x1Bx\x01\x1B\x33\x16\r"s;
  out += EdgePair(true);
  out += TextPair();
  out += EdgePair(false);
  return out;
}

}  // namespace

const std::string& WeighingTicket() {
  static const std::string ticket = BuildTicket();
  return ticket;
}
