#include "text/gbk.h"

#include <gtest/gtest.h>

#include "support/hex.h"

namespace {

std::string Bytes_(const char* hex) {
  const Bytes b = Hex(hex);
  return std::string(b.begin(), b.end());
}

struct Pair {
  const char* utf8;
  const char* gbk;
};

TEST(Gbk, ConvertsBothWays) {
  const Pair pairs[] = {
      {"\xE4\xB8\xAD\xE6\x96\x87", "D6 D0 CE C4"},                                  // 中文
      {"\xE7\x84\x97", "9F 68"},                                                      // 焗, outside GB2312
      {"\xEF\xBC\x84\xEF\xBF\xA1\xEF\xBF\xA5\xEF\xBF\xA0", "A1 E7 A1 EA A3 A4 A1 E9"},  // ＄￡￥￠
      {"\xE2\x94\x80", "A9 A4"},                                                      // ─
      {"A1\r\n", "41 31 0D 0A"},
  };
  for (const Pair& p : pairs) {
    std::string gbk;
    EXPECT_TRUE(gbk::FromUtf8(p.utf8, gbk)) << p.gbk;
    EXPECT_EQ(ToHex(Ascii(gbk)), p.gbk);
    EXPECT_EQ(gbk::ToUtf8(Bytes_(p.gbk)), p.utf8);
  }
}

TEST(Gbk, BytesThatAreNoCharacterShowAsReplacement) {
  EXPECT_EQ(gbk::ToUtf8(Bytes_("41 FF 42")), "A\xEF\xBF\xBD" "B");
  EXPECT_EQ(gbk::ToUtf8(Bytes_("D6")), "\xEF\xBF\xBD");  // a lead byte at the end
}

TEST(Gbk, CharactersWithoutACodeAreRefusedAndNamed) {
  std::string out, bad;
  EXPECT_FALSE(gbk::FromUtf8("a\xF0\x9F\x98\x80", out, &bad));  // an emoji
  EXPECT_EQ(bad, "\xF0\x9F\x98\x80");
  EXPECT_FALSE(gbk::FromUtf8("\xC3", out));  // cut UTF-8
}

}  // namespace
