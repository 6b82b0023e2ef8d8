#include "panels/epson_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_harness.h"

namespace {

using Harness = PanelHarness<EpsonPanel>;

constexpr int kFeedField = 1074, kCopyField = 1073, kTextField = 1083;

const char* const kKanjiInitHex = "1B 40 1C 26";
const char* const kSampleHex =
    "CE C4 D7 D6 B4 F2 D3 A1 A3 BA 0A"                                   // 文字打印：
    "D3 C0 20 B7 C9 20 C9 FD 20 BC D2 20 F4 C1 20 C2 CB 20 B1 E8 20 9F 68 20 52 20 69 20 51 0A";
const std::string kFoxHex = ToHex(Cat({Ascii("A quick brown fox jumps over the lazy dog."),
                                       Ascii("A quick brown fox jumps over the lazy dog."), Hex("0A")}));

std::vector<Bytes> HexRuns(std::initializer_list<std::string> runs) {
  std::vector<Bytes> out;
  for (const std::string& r : runs) out.push_back(Hex(r));
  return out;
}

struct FixedButton {
  int id;
  const char* caption;
  std::vector<std::string> runs;
};

TEST(EpsonPanel, FixedButtonsWriteTheirRunsThenResetOnce) {
  const FixedButton buttons[] = {
      {1039, "倍高打印", {"1B 40 1C 21 08 B1 B6 B8 DF", kSampleHex}},
      {1045, "倍宽打印", {"1B 40 1C 21 04 B1 B6 BF ED", kSampleHex}},
      {1035, "全切纸", {"1B 69"}},
      {1036, "部分切纸", {"1B 6D"}},
      {1037, "走纸到黑标处", {"1D 28 46 04 00 01 00 9F 00 1D 0C"}},
      {1040, "黑标3cm处打印", {"1D 28 46 04 00 01 00 4A 01 1D 0C"}},
      {1038, "钱箱 1", {"1B 70 00 3F FF"}},
      {1042, "钱箱 2", {"1B 70 01 3F FF"}},
      {1054, "点图打印", {"1D 2F 00", "0D"}},
      {1041, "条码打印",
       {"1B 40 1D 48 02", "1D 68 40 1D 77 03", "1D 6B 45 07 31 32 33 41 42 43 44", "1B 40 1D 48 02",
        "1D 68 A2 1D 77 02", "1D 6B 45 07 31 32 33 41 42 43 44"}},
  };
  for (const FixedButton& b : buttons) {
    Harness h;
    std::vector<Bytes> expected;
    for (const std::string& r : b.runs) expected.push_back(Hex(r));
    EXPECT_EQ(h.Press(b.id), expected) << b.caption;
    EXPECT_EQ(h.resetCount, 1) << b.caption;
  }
}

TEST(EpsonPanel, FeedAmountIsReadAsHexadecimalByte) {
  const struct {
    int id;
    const char* field;
    const char* command;
  } cases[] = {
      {1048, "20", "1B 4A 20"},     {1048, "0x20", "1B 4A 20"},  {1048, "   20", "1B 4A 20"},
      {1048, "1ff", "1B 4A FF"},    {1048, "100", "1B 4A 00"},   {1048, "-1", "1B 4A FF"},
      {1048, "0X7f", "1B 4A 7F"},   {1048, "100000000", "1B 4A 00"}, {1048, "fffffffff", "1B 4A FF"},
      {1033, "5", "1B 6A 05"},      {1033, "A0", "1B 6A A0"},
      // No hexadecimal number: the feed amount is 0.
      {1048, "", "1B 4A 00"},       {1048, "zz", "1B 4A 00"},    {1048, "0x", "1B 4A 00"},
  };
  for (const auto& c : cases) {
    Harness h;
    h.panel.texts[kFeedField] = c.field;
    EXPECT_EQ(h.Press(c.id), HexRuns({kKanjiInitHex, c.command})) << c.id << " '" << c.field << "'";
    EXPECT_EQ(h.resetCount, 1);
  }
}

std::vector<Bytes> ChineseReceiptCopy() {
  return HexRuns({
      std::string("1B 40 1C 26 "
                  "20 20 7A 61 B3 AC BC B6 CA D0 B3 A1 CB E6 D7 C5 D0 C5 CF A2 BC BC CA F5 B5 C4 B7 A2 D5 B9 A3 AC C4 DA C7 B6 "
                  "B4 F2 D3 A1 B9 A6 C4 DC B5 C4 B2 FA C6 B7 D4 BD C0 B4 D4 BD B6 E0 A3 AC CC D8 B1 F0 CA C7 D4 DA D2 AA C7 F3 "
                  "CE C8 B6 A8 A1 A2 B8 DF BF C9 BF BF D0 D4 A1 A2 CE A2 D0 CD A1 A2 B3 AC D0 A1 CC E5 BB FD A1 A2 B5 CD B9 A6 "
                  "BA C4 A1 A2 BC DB B8 F1 CF E0 B6 D4 BD CF B5 CD B4 F2 D3 A1 B3 A1 BA CF A1 A3 7A 61 B9 AB CB BE D5 EB B6 D4 "
                  "B9 FA C4 DA B3 A7 BC D2 B6 D4 CE A2 D0 CD B4 F2 D3 A1 BB FA B5 C4 D2 AA C7 F3 BC B0 CE A2 B4 F2 CE B4 C0 B4 "
                  "B7 A2 D5 B9 D7 B4 BF F6 A3 AC CD C6 B3 F6 D2 BB CF B5 C1 D0 CE A2 D0 CD B4 F2 D3 A1 BB FA C4 A3 BF E9 A3 AC "
                  "D2 D4 B7 BD B1 E3 B9 FA C4 DA B3 A7 BC D2 B2 FA C6 B7 B4 F2 D3 A1 B9 A6 C4 DC C5 E4 CC D7 BB F2 "
                  "1C 2E 4F 45 4D 2C 4F 44 4D 2E 0A 0A 0A"),
      // za超级市场 / 日期：01/07/04 / 单号：010519
      "1C 26 7A 61 B3 AC BC B6 CA D0 B3 A1 0A C8 D5 C6 DA A3 BA 1C 2E 20 30 31 2F 30 37 2F 30 34 20 20 20 "
      "1C 26 B5 A5 BA C5 A3 BA 1C 2E 20 30 31 30 35 31 39 0A",
      // 机器号： 01 / 班次： 1 / 收款员： 1001
      "1C 26 BB FA C6 F7 BA C5 A3 BA 1C 2E 20 30 31 1C 26 20 20 20 20 B0 E0 B4 CE A3 BA 1C 2E 20 31 "
      "1C 26 20 20 CA D5 BF EE D4 B1 A3 BA 1C 2E 20 31 30 30 31 0A",
      ToHex(Cat({Repeat(Hex("2D"), 32), Hex("0A")})),
      // 名称      单价      数量      小计
      "1C 26 C3 FB B3 C6 20 20 20 20 20 20 B5 A5 BC DB 20 20 20 20 20 20 CA FD C1 BF 20 20 20 20 20 20 D0 A1 BC C6 "
      "0A 0A 0A 0A 0A 0A 0A 0A",
      "0A",
      "1B 69",
  });
}

TEST(EpsonPanel, ChineseReceiptOneCopyIsSevenRunsOf447Bytes) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1030);
  EXPECT_EQ(runs, ChineseReceiptCopy());
  ASSERT_EQ(runs.size(), 7u);
  const std::size_t lengths[] = {265, 51, 51, 33, 44, 1, 2};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(runs[i].size(), lengths[i]) << "run " << i;
  EXPECT_EQ(TotalBytes(runs), 447u);
  EXPECT_EQ(h.resetCount, 1);
}

TEST(EpsonPanel, CopyLoopsFollowTheCopyField) {
  const struct {
    const char* field;
    int copies;
  } cases[] = {{"", 1}, {"0", 1}, {"3", 3}, {"-2", 0}, {"  +2", 2}, {"2x", 2}, {"x2", 1}, {"-99999999999", 0}};
  for (const auto& c : cases) {
    Harness chinese, english;
    chinese.panel.texts[kCopyField] = english.panel.texts[kCopyField] = c.field;
    std::vector<Bytes> expected;
    for (int i = 0; i < c.copies; ++i) {
      const std::vector<Bytes> copy = ChineseReceiptCopy();
      expected.insert(expected.end(), copy.begin(), copy.end());
    }
    EXPECT_EQ(chinese.Press(1030), expected) << "'" << c.field << "'";
    EXPECT_EQ(chinese.resetCount, 1);

    expected.clear();
    for (int i = 0; i < c.copies; ++i) {
      expected.push_back(Hex(kFoxHex));
      expected.push_back(Hex("0A"));
    }
    EXPECT_EQ(english.Press(1034), expected) << "'" << c.field << "'";
    EXPECT_EQ(english.resetCount, 1);
  }
}

TEST(EpsonPanel, UserTextFollowsItsPrefixRun) {
  const struct {
    int id;
    const char* prefix;
  } buttons[] = {{1031, kKanjiInitHex}, {1047, "1B 40 1B 21 30"}};
  for (const auto& b : buttons) {
    Harness typed, empty;
    typed.panel.texts[kTextField] = "ab\r\ncd";
    EXPECT_EQ(typed.Press(b.id), HexRuns({b.prefix, "61 62 0D 0A 63 64"}));
    EXPECT_EQ(empty.Press(b.id), HexRuns({b.prefix}));
    EXPECT_EQ(empty.resetCount, 1);
  }
}

TEST(EpsonPanel, UserTextIsCutAt2047Bytes) {
  Harness ascii, chinese;
  ascii.panel.texts[kTextField] = std::string(3000, 'x');
  std::vector<Bytes> runs = ascii.Press(1031);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1], Bytes(2047, 'x'));

  // 1500 two-byte signs: the last whole sign ends at byte 2046.
  std::string signs;
  for (int i = 0; i < 1500; ++i) signs += "\xB0\xA1";
  chinese.panel.texts[kTextField] = signs;
  runs = chinese.Press(1031);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].size(), 2046u);
}

TEST(EpsonPanel, DefineImageSendsA240By80Grid) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1053);
  ASSERT_EQ(runs.size(), 241u);
  EXPECT_EQ(TotalBytes(runs), 2404u);
  EXPECT_EQ(runs[0], Hex("1D 2A 1E 0A"));
  // Decode the columns (10 bytes each, top to bottom, MSB topmost).
  for (std::size_t column = 0; column < 240; ++column) {
    const Bytes& data = runs[1 + column];
    ASSERT_EQ(data.size(), 10u);
    for (int row = 0; row < 80; ++row) {
      const bool dot = data[row / 8] & (0x80 >> (row % 8));
      const bool onLine = column % 10 == 0 || row % 16 == 0 || row == 79;
      EXPECT_EQ(dot, onLine) << "column " << column << " row " << row;
    }
  }
  EXPECT_EQ(h.resetCount, 1);
}

TEST(EpsonPanel, RadioButtonsAndCloseSendNothing) {
  Harness h;
  EXPECT_TRUE(h.Press(1085).empty());
  EXPECT_EQ(h.panel.messages.back().text, "\xC4\xFA\xB5\xC4\xB4\xF2\xD3\xA1\xBB\xFA\xBD\xD3\xBF\xDA\xCA\xC7\xB2\xA2\xBF\xDA\xA3\xBF");
  EXPECT_TRUE(h.panel.checked[1085]);
  EXPECT_FALSE(h.panel.ended);
  h.logic.OnCommand(h.panel, 1);
  EXPECT_TRUE(h.panel.ended);
  EXPECT_EQ(h.panel.endResult, 0);
  EXPECT_EQ(h.driver.OpenCount("parallel:lpt1"), 0);
}

TEST(EpsonPanel, OtherIdsDoNothing) {
  Harness h;
  const std::size_t events = h.driver.events.size();
  for (int id : {2, 1074, 1073, 1083, 9999}) h.logic.OnCommand(h.panel, id);
  EXPECT_EQ(h.driver.events.size(), events);
  EXPECT_FALSE(h.panel.ended);
}

}  // namespace
