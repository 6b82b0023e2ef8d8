#include "panels/field_readers.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"

namespace {

TEST(ReadCopyCount, ParsesSignedDecimalWithDefaults) {
  const struct {
    const char* text;
    std::int32_t count;
  } cases[] = {
      {"", 1},         {"0", 1},           {"1", 1},          {"3", 3},         {"-2", -2},
      {"+4", 4},       {" \t 7", 7},       {"12abc", 12},     {"abc", 1},       {"- 5", 1},
      {"007", 7},      {"2147483647", 2147483647},            {"2147483648", 2147483647},
      {"99999999999999999999", 2147483647},                   {"-2147483648", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    FakePanel panel;
    panel.texts[5] = c.text;
    EXPECT_EQ(ReadCopyCount(panel, 5), c.count) << "'" << c.text << "'";
  }
}

TEST(ReadCopyCount, LooksAtTheFirst49CharactersOnly) {
  FakePanel panel;
  panel.texts[5] = std::string(48, ' ') + "23";  // the 3 is the 50th character
  EXPECT_EQ(ReadCopyCount(panel, 5), 2);
}

TEST(ReadHexByte, TakesTheLowByteOfTheNumberModulo2To32) {
  const struct {
    const char* text;
    int byte;
  } cases[] = {
      {"20", 0x20},   {"0x20", 0x20},      {"0X20", 0x20},     {"   20", 0x20},    {"1ff", 0xFF},
      {"100", 0x00},  {"-1", 0xFF},        {"+ff", 0xFF},      {"Ab", 0xAB},      {"7fz9", 0x7F},
      {"100000000", 0x00},                 {"1000000ff", 0xFF}, {"-100000001", 0xFF},
      {"", 0x00},     {"zz", 0x00},        {"0x", 0x00},       {"0xg", 0x00},     {"-", 0x00},
  };
  for (const auto& c : cases) {
    FakePanel panel;
    panel.texts[9] = c.text;
    EXPECT_EQ(ReadHexByte(panel, 9), c.byte) << "'" << c.text << "'";
  }
}

TEST(ReadUserText, KeepsBytesAndCutsAt2047WithoutSplittingASign) {
  FakePanel panel;
  panel.texts[1] = "ab\r\ncd";
  EXPECT_EQ(ReadUserText(panel, 1), "ab\r\ncd");

  panel.texts[1] = std::string(3000, 'q');
  EXPECT_EQ(ReadUserText(panel, 1), std::string(2047, 'q'));

  // 'a' then two-byte signs: the sign over the limit is dropped whole.
  std::string text = "a";
  for (int i = 0; i < 1100; ++i) text += "\xC4\xFA";
  panel.texts[1] = text;
  EXPECT_EQ(ReadUserText(panel, 1).size(), 2047u);
  text = "ab";
  for (int i = 0; i < 1100; ++i) text += "\xC4\xFA";
  panel.texts[1] = text;
  EXPECT_EQ(ReadUserText(panel, 1).size(), 2046u);
  // FF leads no sign: it is one byte, so the cut falls after it.
  panel.texts[1] = std::string(2046, 'q') + "\xFF\xC4\xFA";
  EXPECT_EQ(ReadUserText(panel, 1), std::string(2046, 'q') + "\xFF");
}

TEST(CutGbk, FFIsOneByteAndALeadByteWithoutRoomIsDropped) {
  const struct {
    const char* text;
    std::size_t limit;
    const char* kept;
  } cases[] = {
      {"\xFF\xFE", 4762, "\xFF"},  // found by fuzzing: FE leads a sign whose second byte is missing
      {"a\xFF\xC4\xFA", 3, "a\xFF"},
      {"\xC4\xFA\xFF", 3, "\xC4\xFA\xFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(CutGbk(c.text, c.limit), c.kept) << c.text;
}

}  // namespace
