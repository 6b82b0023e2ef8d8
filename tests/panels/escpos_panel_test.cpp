#include "panels/escpos_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_harness.h"

namespace {

using Harness = PanelHarness<EscPosPanel>;

constexpr int kCopyField = 1073, kTextField = 1083;

// 名称      单价      数量      小计, eight line feeds
const std::string kHeaderHex =
    "1C 26 C3 FB B3 C6 20 20 20 20 20 20 B5 A5 BC DB 20 20 20 20 20 20 CA FD C1 BF 20 20 20 20 20 20 D0 A1 BC C6 "
    "0A 0A 0A 0A 0A 0A 0A 0A";
const std::string kFoxHex = ToHex(Cat({Ascii("A quick brown fox jumps over the lazy dog."),
                                       Ascii("A quick brown fox jumps over the lazy dog."), Hex("0A")}));
// 永 飞 升 家 袅 滤 辫 焗 R i Q (焗 is GBK 9F 68)
const std::string kSampleHex =
    "D3 C0 20 B7 C9 20 C9 FD 20 BC D2 20 F4 C1 20 C2 CB 20 B1 E8 20 9F 68 20 52 20 69 20 51 0A";
const std::string kEightsHex = ToHex(Cat({Ascii("888888888888888888888888"), Hex("0A")}));

// Image columns: solid every fourth column and at the right edge, otherwise
// dots in rows 0, 8, 16 and 23.
const std::string kImageColumnsHex = ToHex(Cat({Repeat(Hex("FF FF FF 80 80 81 80 80 81 80 80 81"), 9),
                                                Hex("FF FF FF 80 80 81 80 80 81 FF FF FF")}));

const std::vector<std::string> kEffectsHex = {
    // 这是普通字体效果
    "1B 40 1B 21 00 1B 48 1B 71 00 D5 E2 CA C7 C6 D5 CD A8 D7 D6 CC E5 D0 A7 B9 FB 0A",
    // 这是半角字体效果
    "1B 40 1C 0F D5 E2 CA C7 B0 EB BD C7 D7 D6 CC E5 D0 A7 B9 FB 0A",
    // 这是纵向字体效果
    "1B 40 1C 21 01 D5 E2 CA C7 D7 DD CF F2 D7 D6 CC E5 D0 A7 B9 FB 1C 21 00 0A",
    // 这是一点下划线效果 / 这是2点下划线效果
    "1B 40 1C 26 1C 2D 01 D5 E2 CA C7 D2 BB B5 E3 CF C2 BB AE CF DF D0 A7 B9 FB 0A "
    "1B 40 1C 26 1C 2D 02 D5 E2 CA C7 32 B5 E3 CF C2 BB AE CF DF D0 A7 B9 FB 0A 1C 2D 00",
    // 这里将要打印特殊符号
    "1C 26 D5 E2 C0 EF BD AB D2 AA B4 F2 D3 A1 CC D8 CA E2 B7 FB BA C5",
    // 这是双重打印效果
    "1B 40 1B 48 D5 E2 CA C7 CB AB D6 D8 B4 F2 D3 A1 D0 A7 B9 FB 0A",
    // 这是货币符号:＄￡￥￠
    "D5 E2 CA C7 BB F5 B1 D2 B7 FB BA C5 3A A1 E7 A1 EA A3 A4 A1 E9 0A",
    // 这是空心字体效果
    "1B 40 1B 71 01 D5 E2 CA C7 BF D5 D0 C4 D7 D6 CC E5 D0 A7 B9 FB 0A",
    // 这是阴影字体效果
    "1B 40 1B 71 02 D5 E2 CA C7 D2 F5 D3 B0 D7 D6 CC E5 D0 A7 B9 FB 0A",
    // 这是上标字体效果 1234 / 这是下标字体效果 1234
    "1B 40 1C 26 1C 21 00 D5 E2 CA C7 C9 CF B1 EA D7 D6 CC E5 D0 A7 B9 FB 1C 72 00 31 32 33 34 0A "
    "1B 40 1C 26 1C 21 00 D5 E2 CA C7 CF C2 B1 EA D7 D6 CC E5 D0 A7 B9 FB 1C 72 01 31 32 33 34 0A 0A 0A",
};

struct Button {
  int id;
  const char* caption;
  const char* copies;  // copy field
  const char* text;    // user text field (code page 936 bytes)
  std::vector<std::string> runs;
  int resets;
};

std::vector<Bytes> HexRuns(const std::vector<std::string>& runs) {
  std::vector<Bytes> out;
  for (const std::string& r : runs) out.push_back(Hex(r));
  return out;
}

TEST(EscPosPanel, EveryButtonWritesItsRuns) {
  const Button buttons[] = {
      {1030, "中文打印", "", "", {kHeaderHex}, 1},
      {1030, "中文打印", "2", "", {kHeaderHex, kHeaderHex}, 2},
      {1030, "中文打印", "-3", "", {}, 0},
      {1034, "英文打印", "0", "", {kFoxHex}, 1},
      {1034, "英文打印", "3", "", {kFoxHex, kFoxHex, kFoxHex}, 3},
      {1034, "英文打印", "-1", "", {}, 0},
      // The feeds have a fixed amount; no field changes it.
      {1048, "正向走纸", "5", "20", {"1B 4A F0"}, 1},
      {1033, "反向走纸", "5", "20", {"1B 6A F0"}, 1},
      {1039, "倍高打印", "2", "", {"1B 40 1C 21 08 B1 B6 B8 DF", kFoxHex}, 1},
      {1045, "倍宽打印", "2", "", {"1B 40 1C 21 04 B1 B6 BF ED", kFoxHex}, 1},
      {1031, "正常打印", "2", "", {"1B 7C 77 00 A0 12 00"}, 1},
      {1031, "正常打印", "", "ab\r\ncd", {"1B 7C 77 00 A0 12 00", "61 62 0D 0A 63 64"}, 1},
      // 中文 in code page 936
      {1031, "正常打印", "", "\xD6\xD0\xCE\xC4", {"1B 7C 77 00 A0 12 00", "D6 D0 CE C4"}, 1},
      {1047, "压缩打印", "", "ab", {"1B 40 1B 7C 77 00 A0 12 01", "61 62"}, 1},
      {1047, "压缩打印", "3", "", {"1B 40 1B 7C 77 00 A0 12 01"}, 1},
      {1268, "双向打印", "", "", {"1B 40 1B 55 00", kSampleHex, kSampleHex, kSampleHex}, 1},
      {1269, "单向打印", "", "", {"1B 40 1B 55 01", kSampleHex, kSampleHex, kSampleHex}, 1},
      {1038, "弹钱箱", "", "", {"1B 7C 72 F9 00 3F FF"}, 1},
      {1271, "低速打印", "", "", {"1C 78 00 " + kEightsHex}, 1},
      {1024, "常速打印", "", "", {"1C 78 01 " + kEightsHex}, 1},
      {1260, "图形打印", "", "", {"1B 4A 18 1B 20 20 00 1B 2A 20 28 00", kImageColumnsHex}, 1},
      {1041, "打印条码", "2", "",
       {"1C 50 05 02 03 03 08 2A 31 32 33 34 35 36 2A 0A",
        "1C 50 05 02 02 02 14 2A 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46 47 48 49 2A 0A"},
       1},
      {1205, "特殊效果", "2", "", kEffectsHex, 1},
  };
  for (const Button& b : buttons) {
    Harness h;
    h.panel.texts[kCopyField] = b.copies;
    h.panel.texts[kTextField] = b.text;
    EXPECT_EQ(h.Press(b.id), HexRuns(b.runs)) << b.caption << " copies '" << b.copies << "'";
    EXPECT_EQ(h.resetCount, b.resets) << b.caption << " copies '" << b.copies << "'";
  }
}

TEST(EscPosPanel, CopyLoopResetsAfterEachCopy) {
  Harness h;
  h.panel.texts[kCopyField] = "2";
  const std::size_t before = h.driver.events.size();
  h.Press(1030);
  const std::vector<std::string> events(h.driver.events.begin() + static_cast<long>(before),
                                        h.driver.events.end());
  const std::vector<std::string> expected = {"write serial:com1", "close serial:com1", "open serial:com1",
                                             "write serial:com1", "close serial:com1", "open serial:com1"};
  EXPECT_EQ(events, expected);
}

TEST(EscPosPanel, CopyLoopReportsAFailedReopenOncePerCopy) {
  Harness h;
  h.driver.failing.insert("serial:com1");
  h.panel.texts[kCopyField] = "3";
  h.Press(1034);
  EXPECT_EQ(h.driver.failureBoxes, 3);
}

TEST(EscPosPanel, ImageIsA40By24Grid) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1260);
  ASSERT_EQ(runs.size(), 2u);
  ASSERT_EQ(runs[1].size(), 120u);
  for (std::size_t column = 0; column < 40; ++column) {
    for (int row = 0; row < 24; ++row) {
      const bool dot = runs[1][column * 3 + row / 8] & (0x80 >> (row % 8));
      const bool onLine = column % 4 == 0 || column == 39 || row % 8 == 0 || row == 23;
      EXPECT_EQ(dot, onLine) << "column " << column << " row " << row;
    }
  }
}

TEST(EscPosPanel, EffectsPageIsTenRunsOf300Bytes) {
  Harness h;
  const std::vector<Bytes> runs = h.Press(1205);
  const std::vector<std::size_t> lengths = {27, 21, 25, 54, 22, 21, 22, 22, 22, 64};
  ASSERT_EQ(runs.size(), lengths.size());
  for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].size(), lengths[i]) << "run " << i + 1;
  EXPECT_EQ(TotalBytes(runs), 300u);
}

TEST(EscPosPanel, RadioButtonsCloseAndOtherIdsWriteNothing) {
  Harness h;
  EXPECT_TRUE(h.Press(1085).empty());
  EXPECT_TRUE(h.panel.checked[1085]);
  const std::size_t events = h.driver.events.size();
  for (int id : {2, 1073, 1083, 1074, 1035, 9999}) h.logic.OnCommand(h.panel, id);
  EXPECT_EQ(h.driver.events.size(), events);
  EXPECT_FALSE(h.panel.ended);
  h.logic.OnCommand(h.panel, 1);
  EXPECT_TRUE(h.panel.ended);
  EXPECT_EQ(h.panel.endResult, 0);
  EXPECT_EQ(h.driver.OpenCount("parallel:lpt1"), 0);
}

}  // namespace
