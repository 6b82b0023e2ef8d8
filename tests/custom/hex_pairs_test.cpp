#include "custom/hex_pairs.h"

#include <gtest/gtest.h>

#include "support/hex.h"

namespace {

TEST(ParseHexPairs, TakesTwoCharactersPerByte) {
  const struct {
    std::string text;
    const char* bytes;
  } cases[] = {
      {"1B40", "1B 40"},
      {"1b40", "1B 40"},
      {"1B401", "1B 40"},       // an odd last character is ignored
      {"1B 40", "1B 04"},       // the space pair reads as 4, the last 0 is ignored
      {"-1", "FF"},             // a sign is part of the pair's number
      {"+1A ", "01 0A"},
      {"0x1B", "00 1B"},
      {"", ""},
      // A pair without a number gives no byte.
      {"1B40\r\n0A", "1B 40 0A"},
      {"\r\n1B", "1B"},
      {"zz1Bg5", "1B"},
      {"  ", ""},
      {"--", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHex(ParseHexPairs(c.text)), c.bytes) << c.text;
}

TEST(ParseHexPairs, ReadsAtMost499Characters) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "1C";
  EXPECT_EQ(ParseHexPairs(text), Repeat(Hex("1C"), 249));
  // The 500th character would complete a pair: it is not read.
  EXPECT_EQ(ParseHexPairs(std::string(498, '0') + "12"), Repeat(Hex("00"), 249));
}

}  // namespace
