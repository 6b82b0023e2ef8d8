#include "panels/star9_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_harness.h"

namespace {

using Harness = PanelHarness<Star9Panel>;

constexpr int kAmountField = 1008, kCopyField = 1073, kTextField = 1083;

// 永 飞 升 家 袅 滤 辫 焗 R i Q
const char* const kSampleLineHex =
    "D3 C0 20 B7 C9 20 C9 FD 20 BC D2 20 F4 C1 20 C2 CB 20 B1 E8 20 9F 68 20 52 20 69 20 51 0A";

std::vector<Bytes> HexRuns(const std::vector<std::string>& runs) {
  std::vector<Bytes> out;
  for (const std::string& r : runs) out.push_back(Hex(r));
  return out;
}

const std::vector<std::string> kStarReceipt = {
    std::string("1B 40 20 20 20 "
                "7A 61 B3 AC BC B6 CA D0 B3 A1 CB E6 D7 C5 D0 C5 CF A2 BC BC CA F5 B5 C4 B7 A2 D5 B9 A3 AC C4 DA C7 B6 B4 F2 "
                "D3 A1 B9 A6 C4 DC B5 C4 B2 FA C6 B7 D4 BD C0 B4 D4 BD B6 E0 A3 AC CC D8 B1 F0 CA C7 D4 DA D2 AA C7 F3 CE C8 "
                "B6 A8 A1 A2 B8 DF BF C9 BF BF D0 D4 A1 A2 CE A2 D0 CD A1 A2 B3 AC D0 A1 CC E5 BB FD A1 A2 B5 CD B9 A6 BA C4 "
                "A1 A2 BC DB B8 F1 CF E0 B6 D4 BD CF B5 CD B4 F2 D3 A1 B3 A1 BA CF A1 A3 7A 61 B9 AB CB BE D5 EB B6 D4 B9 FA "
                "C4 DA B3 A7 BC D2 B6 D4 CE A2 D0 CD B4 F2 D3 A1 BB FA B5 C4 D2 AA C7 F3 BC B0 CE A2 B4 F2 CE B4 C0 B4 B7 A2 "
                "D5 B9 D7 B4 BF F6 A3 AC CD C6 B3 F6 D2 BB CF B5 C1 D0 CE A2 D0 CD B4 F2 D3 A1 BB FA C4 A3 BF E9 A3 AC D2 D4 "
                "B7 BD B1 E3 B9 FA C4 DA B3 A7 BC D2 B2 FA C6 B7 B4 F2 D3 A1 B9 A6 C4 DC C5 E4 CC D7 BB F2 "
                "4F 45 4D 2C 4F 44 4D 2E 0A 0A 0A"),
    // za超级市场 / 日期：01/07/04   单号：010519
    "7A 61 B3 AC BC B6 CA D0 B3 A1 0A C8 D5 C6 DA A3 BA 30 31 2F 30 37 2F 30 34 20 20 20 "
    "B5 A5 BA C5 A3 BA 30 31 30 35 31 39 0A",
    // 机器号：01   班次：1  收款员：1001
    "BB FA C6 F7 BA C5 A3 BA 30 31 20 20 20 B0 E0 B4 CE A3 BA 31 20 20 CA D5 BF EE D4 B1 A3 BA 31 30 30 31 0A",
    ToHex(Cat({Repeat(Hex("2D"), 31), Hex("0A")})),
    // 名称      单价      数量      小计
    "C3 FB B3 C6 20 20 20 20 20 20 B5 A5 BC DB 20 20 20 20 20 20 CA FD C1 BF 20 20 20 20 20 20 D0 A1 BC C6 "
    "0A 0A 0A 0A 0A 0A 0A 0A",
    "0A",
    "1B 64 00",
};

const std::vector<std::string> kSalesReceipt = {
    "1B 40 "
    "20 20 20 20 20 20 20 20 20 20 BB B6 20 20 D3 AD 20 20 CA B9 20 20 D3 C3 0A "  // 欢  迎  使  用
    "20 20 20 20 20 20 20 20 CD A8 D3 C3 C7 B0 CC A8 CA DB BB F5 CF B5 CD B3 0A "  // 通用前台售货系统
    "2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 20 CF FA 20 BB F5 20 "                 // 销 货
    "2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 2A 0A",
    "50 31 31 30 31 30 30 31 20 20 20 34 35 B6 C8 D0 C2 D2 BB B4 FA E3 FB C5 C6 BC D1 C4 F0 0A "
    "20 20 20 20 20 20 20 20 20 31 33 2E 37 D4 AA 2A 31 2E 30 30 3D 20 20 31 33 2E 37 D4 AA 0A " +
        ToHex(Cat({Repeat(Hex("2D"), 31), Hex("0A")})),
    "D3 A6 B8 B6 BD F0 B6 EE A3 A8 52 4D 42 A3 A9 20 20 20 20 31 33 2E 37 D4 AA 20 20 20 20 20 0A "  // 应付金额
    "CA B5 B8 B6 BD F0 B6 EE A3 A8 52 4D 42 A3 A9 20 20 20 20 31 33 2E 37 20 D4 AA 20 20 20 0A "     // 实付金额
    "C6 E4 D6 D0 B0 FC C0 A8 0A "                                                                    // 其中包括
    "CF D6 BD F0 A3 A8 C8 CB C3 F1 B1 D2 A3 A9 20 20 20 20 20 31 33 2E 37 D4 AA 20 20 20 20 20 0A " +  // 现金
        ToHex(Cat({Repeat(Hex("2A"), 32), Hex("0A")})),
    "CA D5 BF EE D4 B1 3A 20 7A 75 20 20 20 20 20 CA D5 BF EE BB FA 3A 20 30 30 30 31 0A "  // 收款员: zu
    "4E 4F 2E 30 34 30 37 30 31 20 20 32 30 30 34 2D 30 37 2D 30 31 20 20 30 32 3A 35 30 3A 31 38 0A "
    "B0 E6 C8 A8 CB F9 D3 D0 3A 0A B5 D8 D6 B7 3A 0A B5 E7 BB B0 3A 0A 0A 0A 0A",  // 版权所有 地址 电话
    "1B 64 00",
};

struct Button {
  int id;
  const char* caption;
  std::vector<std::string> runs;
};

TEST(Star9Panel, FixedButtonsWriteTheirRunsThenResetOnce) {
  const Button buttons[] = {
      {1045, "倍宽打印", {"1B 40 0E", std::string("CE C4 D7 D6 B4 F2 D3 A1 A3 BA 0A ") + kSampleLineHex}},
      {1024, "全切纸", {"1B 64 00"}},
      {1036, "部分切纸", {"1B 64 01"}},
      {1026, "下划线", {"1B 2D 01", kSampleLineHex}},
      {1056, "取消下划线", {"1B 2D 00", kSampleLineHex}},
      {1038, "弹钱箱", {"07"}},
      {1054, "打印点图", {"1D 2F 00", "0D"}},
      {1052, "票据样例", kSalesReceipt},
  };
  for (const Button& b : buttons) {
    Harness h;
    EXPECT_EQ(h.Press(b.id), HexRuns(b.runs)) << b.caption;
    EXPECT_EQ(h.resetCount, 1) << b.caption;
  }
}

TEST(Star9Panel, SalesReceiptIs399BytesWhateverTheCopyCount) {
  for (const char* copies : {"", "3", "-1"}) {
    Harness h;
    h.panel.texts[kCopyField] = copies;
    const std::vector<Bytes> runs = h.Press(1052);
    ASSERT_EQ(runs.size(), 5u);
    const std::size_t lengths[] = {85, 92, 134, 85, 3};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(runs[i].size(), lengths[i]) << "run " << i;
    EXPECT_EQ(TotalBytes(runs), 399u);
  }
}

TEST(Star9Panel, AmountIsReadAsHexadecimalByteAfterInit) {
  const struct {
    int id;
    const char* field;
    const char* command;
  } cases[] = {
      {1049, "18", "1B 33 18"}, {1048, "18", "1B 4A 18"},  {1049, "0x18", "1B 33 18"},
      {1048, "118", "1B 4A 18"}, {1049, " ff", "1B 33 FF"}, {1048, "", "1B 4A 00"},
  };
  for (const auto& c : cases) {
    Harness h;
    h.panel.texts[kAmountField] = c.field;
    EXPECT_EQ(h.Press(c.id), HexRuns({"1B 40", c.command})) << c.id << " '" << c.field << "'";
    EXPECT_EQ(h.resetCount, 1);
  }
}

TEST(Star9Panel, ChineseReceiptOneCopyIsSevenRunsOf416Bytes) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1030);
  EXPECT_EQ(runs, HexRuns(kStarReceipt));
  ASSERT_EQ(runs.size(), 7u);
  const std::size_t lengths[] = {262, 41, 35, 32, 42, 1, 3};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(runs[i].size(), lengths[i]) << "run " << i;
  EXPECT_EQ(TotalBytes(runs), 416u);
}

TEST(Star9Panel, CopyLoopsRepeatThenResetOnce) {
  const std::string foxHex = ToHex(Cat({Ascii("A quick brown fox jumps over the lazy dog."),
                                        Ascii("A quick brown fox jumps over the lazy dog."), Hex("0A")}));
  const struct {
    const char* field;
    int copies;
  } cases[] = {{"", 1}, {"0", 1}, {"2", 2}, {"-2", 0}};
  for (const auto& c : cases) {
    Harness chinese, english;
    chinese.panel.texts[kCopyField] = english.panel.texts[kCopyField] = c.field;
    std::vector<Bytes> receipts, lines;
    for (int i = 0; i < c.copies; ++i) {
      for (const Bytes& run : HexRuns(kStarReceipt)) receipts.push_back(run);
      lines.push_back(Hex(foxHex));
      lines.push_back(Hex("0A"));
    }
    EXPECT_EQ(chinese.Press(1030), receipts) << "'" << c.field << "'";
    EXPECT_EQ(chinese.resetCount, 1);
    const std::vector<Bytes> english_runs = english.Press(1034);
    EXPECT_EQ(english_runs, lines) << "'" << c.field << "'";
    EXPECT_EQ(TotalBytes(english_runs), 86u * static_cast<std::size_t>(c.copies));
    EXPECT_EQ(english.resetCount, 1);
  }
}

TEST(Star9Panel, UserTextFollowsItsPrefixRun) {
  const struct {
    int id;
    const char* prefix;
  } buttons[] = {{1031, "1B 40"}, {1047, "1B 40 1B 77 00"}};
  for (const auto& b : buttons) {
    Harness typed, chinese, empty;
    typed.panel.texts[kTextField] = "ab\r\ncd";
    chinese.panel.texts[kTextField] = "\xD6\xD0\xCE\xC4 ab";  // 中文 ab
    EXPECT_EQ(typed.Press(b.id), HexRuns({b.prefix, "61 62 0D 0A 63 64"}));
    EXPECT_EQ(chinese.Press(b.id), HexRuns({b.prefix, "D6 D0 CE C4 20 61 62"}));
    EXPECT_EQ(empty.Press(b.id), HexRuns({b.prefix}));
    EXPECT_EQ(empty.resetCount, 1);
  }
}

TEST(Star9Panel, DefineImageIsTheGridOf241Runs) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1053);
  ASSERT_EQ(runs.size(), 241u);
  EXPECT_EQ(runs[0], Hex("1D 2A 1E 0A"));
  EXPECT_EQ(runs[1], Hex("FF FF FF FF FF FF FF FF FF FF"));
  EXPECT_EQ(runs[2], Hex("80 00 80 00 80 00 80 00 80 01"));
  EXPECT_EQ(TotalBytes(runs), 2404u);
  EXPECT_EQ(h.resetCount, 1);
}

TEST(Star9Panel, CancelAndOtherIdsDoNothing) {
  Harness h;
  const std::size_t events = h.driver.events.size();
  for (int id : {2, 1008, 1073, 1083, 1033, 1039, 9999}) h.logic.OnCommand(h.panel, id);
  EXPECT_EQ(h.driver.events.size(), events);
  EXPECT_FALSE(h.panel.ended);
  h.logic.OnCommand(h.panel, 1);
  EXPECT_TRUE(h.panel.ended);
}

}  // namespace
