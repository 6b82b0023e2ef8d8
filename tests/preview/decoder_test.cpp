#include "preview/decoder.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/hex.h"

namespace {

using preview::CommandSet;
using preview::Item;

struct Row {
  CommandSet set;
  const char* hex;
  std::vector<std::string> items;  // mnemonic, "text", "unknown" or "truncated" per item
};

std::vector<std::string> Names(const Bytes& stream, CommandSet set) {
  std::vector<std::string> names;
  for (const Item& item : preview::Decode(stream, set).items) {
    switch (item.kind) {
      case Item::Command: names.emplace_back(item.definition->mnemonic); break;
      case Item::Text: names.emplace_back("text"); break;
      case Item::Unknown: names.emplace_back("unknown"); break;
      case Item::Truncated: names.emplace_back("truncated"); break;
    }
  }
  return names;
}

TEST(Decoder, SplitsStreamsIntoCommands) {
  const Row rows[] = {
      {CommandSet::EscPos, "1B 40 1C 21 08 B1 B6 B8 DF 0A", {"ESC @", "FS !", "text", "LF"}},
      {CommandSet::EscPos, "1D 28 46 04 00 01 00 9F 00 1D 0C", {"GS ( F", "GS FF"}},
      {CommandSet::EscPos, "1D 6B 45 07 31 32 33 41 42 43 44 1D 6B 04 41 42 00", {"GS k", "GS k"}},
      {CommandSet::EscPos, "1D 2A 01 01 00 01 02 03 04 05 06 07 1D 2F 00", {"GS *", "GS /"}},
      {CommandSet::EscPos, "1D 56 41 05 1D 56 00 1B 69", {"GS V", "GS V", "ESC i"}},
      {CommandSet::EscPos, "1B 7C 77 00 1B 7C 77 00 AA 1B 7C 77 00 05 01", {"ESC | w", "ESC | w", "ESC | w"}},
      {CommandSet::EscPos, "1B 7C 77 00 AA 73 02 1B 7C 77 00 AA 63 80 10", {"ESC | w", "ESC | w"}},
      {CommandSet::EscPos, "1B 7C 77 01 07 01 1C 50 05 02 03 03 02 2A 2A 0A", {"ESC | w", "FS P", "LF"}},
      {CommandSet::EscPos, "B0 A1 F8 A1 81 0A", {"text", "unknown", "LF"}},
      {CommandSet::Star, "1B 64 00 07 0E 1B 2D 01 1B 61 03", {"ESC d", "BEL", "SO", "ESC -", "ESC a"}},
      {CommandSet::Star, "1B 43 00 04 1B 43 12 1B 41 04 1B 32 19", {"ESC C", "ESC C", "ESC A", "ESC 2", "EM"}},
      {CommandSet::Star, "1B 4B 02 00 FF 00 1B 5E 04 01 00 01 02 03", {"ESC K", "ESC ^"}},
      {CommandSet::Star, "1B 69 01 01 41 1B 1D 41 64 00 1B 1D 52 F6 FF", {"ESC i", "text", "ESC GS A", "ESC GS R"}},
      {CommandSet::Star, "1B 62 36 32 32 50 41 42 1E 1B 1E 46 01 1B 34", {"ESC b", "ESC RS F", "ESC 4"}},
      // ESC k 1 0: 24 rows of one byte.
      {CommandSet::Star,
       "1B 6B 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 41",
       {"ESC k", "text"}},
      {CommandSet::EscP, "1B 78 01 1B 33 16 0D 1B 2A 01 01 00 80 0C", {"ESC x", "ESC 3", "CR", "ESC *", "FF"}},
      {CommandSet::EscP, "1B 2A 21 01 00 01 02 03 1B 28 55 01 00 0A", {"ESC *", "ESC ("}},
      {CommandSet::EscP, "1B 3A 00 00 00 1B 62 01 05 0A 00 1B 31 41", {"ESC :", "ESC b", "ESC 1", "text"}},
      {CommandSet::EscP, "1B 58 00 14 00 1B 5E 00 01 00 AA BB 41", {"unknown", "unknown", "text"}},  // not drawn
      {CommandSet::Oki, "18 1B 7C 15 07 1B 24 40", {"CAN", "ESC |", "ESC $ @"}},
      {CommandSet::EscPos, "1B 7E 41 FF", {"unknown", "text", "unknown"}},
      {CommandSet::EscPos, "41 1B", {"text", "truncated"}},
      {CommandSet::EscPos, "1B 2A 21 03 00 00", {"truncated"}},
      {CommandSet::EscPos, "1D 6B 04 41 42", {"truncated"}},
      // 65535 x 65535 bytes announced near the end: flagged, not read.
      {CommandSet::EscPos, "1D 76 30 00 FF FF FF FF 00", {"truncated"}},
  };
  for (const Row& r : rows) EXPECT_EQ(Names(Hex(r.hex), r.set), r.items) << r.hex;
}

TEST(Decoder, ItemsCoverTheStreamWithoutGaps) {
  const Bytes s = Hex("00 1B 40 1D 76 30 00 02 00 01 00 AA BB 41 0A 1B 7E 1D");
  const preview::Decoding d = preview::Decode(s, CommandSet::EscPos);
  std::size_t at = 0;
  for (const Item& item : d.items) {
    EXPECT_EQ(item.offset, at);
    at += item.length;
  }
  EXPECT_EQ(at, s.size());
  EXPECT_EQ(d.unknown, 1);
  EXPECT_TRUE(d.truncated);
  EXPECT_FALSE(d.Clean());
}

TEST(Decoder, ImageLinesGiveModeAndSize) {
  const Bytes s = Hex("1D 76 30 00 30 00 C8 00");
  Bytes stream = s;
  stream.resize(s.size() + 48 * 200, 0);
  const preview::Decoding d = preview::Decode(stream, CommandSet::EscPos);
  ASSERT_EQ(d.items.size(), 1u);
  EXPECT_EQ(d.items[0].dataLength, 9600u);
  EXPECT_NE(preview::DescribeItem(d.items[0], stream).find("raster bit image (mode 0, 384 x 200 dots)"),
            std::string::npos);
}

// Commands known by their length: each is one item, flagged ("!!") when its
// effect is not drawn, and the text after it is read as text.
TEST(Decoder, KnownCommandsAreSkippedWholeAndUndrawnOnesFlagged) {
  const struct {
    const char* hex;
    const char* mnemonic;
    bool flagged;
  } rows[] = {
      {"1D 38 4C 06 00 00 00 30 70 30 01 01 31", "GS 8 L", false},     // p1..p4 = 6 bytes after them
      {"1D 28 4C 06 00 30 70 30 01 01 31", "GS ( L", false},          // pL pH = 6
      {"1D 28 6B 03 00 31 43 03", "GS ( k", false},                   // QR module size 3
      {"1B 26 03 41 42 02 FF 00 00 00 00 00 01 00 00 00", "ESC &", false},  // y=3, 'A'..'B': x=2 then 6 bytes, x=1 then 3
      {"1C 71 01 01 00 01 00 FF FF FF FF FF FF FF FF", "FS q", false},   // one image 1 x 1: 8 bytes
      {"1D 51 30 00 02 00 01 00 AA BB", "GS Q 0", true},                // 2 x 1 bytes
      {"1D 24 10 00", "GS $", false},
      {"1D 5C 10 00", "GS \\", false},
      {"1B 57 00 00 00 00 80 01 64 00", "ESC W", false},            // x y dx dy, two bytes each
      {"1B 54 31", "ESC T", false},
      {"1B 4C", "ESC L", false},
      {"1B 53", "ESC S", false},
      {"1B 0C", "ESC FF", false},
      {"1B 28 41 04 00 30 33 02 01", "ESC (", false},                   // buzzer, pL pH = 4
      {"1C 28 41 02 00 30 01", "FS (", false},
      {"1C 67 31 00 00 00 00 00 02 00 41 42", "FS g 1", false},         // 2 data bytes
      {"1D 7A 30 01 02", "GS z 0", false},
      {"10 14 08 01 03 14 01 06 02 08", "DLE DC4 8", false},
  };
  for (const auto& row : rows) {
    const Bytes command = Hex(row.hex);
    Bytes stream = command;
    stream.push_back('A');
    const preview::Decoding d = preview::Decode(stream, CommandSet::EscPos);
    ASSERT_EQ(d.items.size(), 2u) << row.hex;
    ASSERT_NE(d.items[0].definition, nullptr) << row.hex;
    EXPECT_EQ(d.items[0].definition->mnemonic, row.mnemonic) << row.hex;
    EXPECT_EQ(d.items[0].length, command.size()) << row.hex;
    EXPECT_EQ(d.items[1].kind, Item::Text) << row.hex;
    EXPECT_EQ(d.unknown, row.flagged ? 1 : 0) << row.hex;
    EXPECT_EQ(preview::DescribeItem(d.items[0], stream).find("!! not drawn: ") != std::string::npos, row.flagged)
        << row.hex;
  }
  // Counts that reach past the end are truncated, never read.
  for (const char* hex : {"1D 38 4C FF FF FF FF 30", "1C 71 02 01 00 01 00 00 00 00 00 00 00 00 00",
                          "1B 26 03 20 7E 02 00"}) {
    const preview::Decoding d = preview::Decode(Hex(hex), CommandSet::EscPos);
    EXPECT_TRUE(d.truncated) << hex;
    EXPECT_EQ(d.items.size(), 1u) << hex;
  }
}

// Outside Chinese mode (FS .) bytes from 80 on are signs of the table ESC t
// chose; FS & and ESC @ bring code page 936 back, with GB18030's four-byte signs.
TEST(Decoder, TextFollowsChineseModeAndTheCodeTable) {
  const struct {
    const char* hex;
    std::vector<std::string> names;
    const char* shown;  // in the listing of the text item
  } rows[] = {
      {"1C 2E 1B 74 11 8F E0 0A", {"FS .", "ESC t", "text", "LF"}, "text \"\xD0\x9F\xD1\x80\""},  // PC866: Пр
      {"1C 2E 1B 74 10 43 61 66 E9", {"FS .", "ESC t", "text"}, "text \"Caf\xC3\xA9\""},         // WPC1252
      {"1C 2E 1B 74 00 82", {"FS .", "ESC t", "text"}, "text \"\xC3\xA9\""},                      // PC437: é
      {"1C 2E 1C 26 D6 D0", {"FS .", "FS &", "text"}, "text \"\xE4\xB8\xAD\""},                  // 中
      {"1C 2E 1B 40 D6 D0", {"FS .", "ESC @", "text"}, "text \"\xE4\xB8\xAD\""},
      {"95 32 82 36 41", {"text"}, "text \"\xF0\xA0\x80\x80" "A\""},                           // U+20000
      {"81 30 81 30", {"text"}, "text \"\xC2\x80\""},                                            // U+0080
      {"81 39 EE 39 82 37 CF 35", {"text"}, "text \"\xE3\x90\x80\xEA\xB0\x80\""},              // U+3400, U+AC00
      {"84 31 A5 30", {"text"}, "text \"\xEF\xBF\xBD\""},                                       // none
  };
  for (const auto& row : rows) {
    const Bytes s = Hex(row.hex);
    EXPECT_EQ(Names(s, CommandSet::EscPos), row.names) << row.hex;
    const preview::Decoding d = preview::Decode(s, CommandSet::EscPos);
    const auto text = std::find_if(d.items.begin(), d.items.end(), [](const Item& i) { return i.kind == Item::Text; });
    ASSERT_NE(text, d.items.end()) << row.hex;
    EXPECT_NE(preview::DescribeItem(*text, s).find(row.shown), std::string::npos) << row.hex;
  }
}

}  // namespace
