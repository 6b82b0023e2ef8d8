#include "panels/star18_panel.h"

#include <gtest/gtest.h>

#include <set>

#include "panels/panel_harness.h"
#include "perf/charset_tables.h"

namespace {

using Harness = PanelHarness<Star18Panel>;

const std::string kSixHyphens = "2D 2D 2D 2D 2D 2D ";

std::string AsciiHex(const std::string& text) { return ToHex(Ascii(text)) + " "; }

Bytes FeedPage() {
  const struct {
    const char* command;
    const char* inches;
  } spacings[] = {{"1B 30", "1/8"},       {"1B 31", "7/72"},    {"1B 7A 00", "1/12"}, {"1B 7A 01", "1/6"},
                  {"1B 41 04 1B 32", "1/18"}, {"1B 33 36", "1/4"}, {"1B 79 48", "1/2"}};
  std::string hex;
  for (const auto& s : spacings)
    hex += std::string("1B 40 ") + s.command + " " + kSixHyphens + AsciiHex(s.inches) +
           "D0 D0 BC E4 BE E0 A3 BA 0A " + kSixHyphens + AsciiHex(s.inches) +  // 行间距：/ 行间距
           "D0 D0 BC E4 BE E0 0A D7 DF D6 BD 36 D0 D0 1B 61 04 0A 0A ";        // 走纸6行
  hex += "1B 40 1B 49 12 " + kSixHyphens + "2D 0A 2D 2D 2D 2D CF F2 C7 B0 D7 DF C1 CB 31 2F 38 D3 A2 B4 E7 0A ";
  hex += "1B 40 1B 4A 24 " + kSixHyphens + "CF F2 C7 B0 D7 DF C1 CB 31 2F 32 D0 D0 BC E4 BE E0 0A 0A 0A";
  return Hex(hex);
}

const char* const kFontPage =
    "1B 40 1B 2F 01 D0 B1 CF DF C1 E3 A3 BA 30 20 1B 2F 00 20 BF D5 D0 C4 C1 E3 A3 BA 30 0A 0A "  // 斜线零 空心零
    "1B 40 1B 50 20 35 2A 39 D7 D6 CC E5 28 32 50 2D 31 29 0A "
    "1B 3A 20 35 2A 39 D7 D6 CC E5 28 33 50 2D 31 29 20 0A "
    "1B 4D 20 37 2A 39 D7 D6 CC E5 20 0A 0A 20 "
    "1B 40 1B 20 0F C3 BF B8 F6 D7 D6 CC E5 D3 D2 B2 E0 BF D5 B0 D7 20 1B 20 00 0A 0A "  // 每个字体右侧空白
    "1B 40 1B 57 01 D7 D6 CC E5 B1 B6 BF ED 41 42 43 44 35 36 37 38 39 20 1B 57 00 0A 0A "
    "1B 40 1B 68 01 D7 D6 CC E5 B1 B6 B8 DF 41 42 43 44 35 36 37 38 39 20 1B 68 00 0A 0A "
    "1B 40 1B 45 20 D7 D6 CC E5 BC D3 D6 D8 41 42 43 44 35 36 37 38 39 20 1B 46 0A 0A "
    "1B 40 1B 5F 01 C9 CF BB AE CF DF 41 42 43 44 35 36 37 38 39 20 1B 5F 00 0A 0A "
    "1B 40 1B 2D 01 CF C2 BB AE CF DF 41 42 43 44 35 36 37 38 39 20 1B 2D 00 0A 0A "
    "1B 40 1B 1E 69 01 20 32 37 30 B6 C8 B7 AD BE ED 20 1B 1E 69 00 0A 0A";  // 270度翻卷

Bytes PageLayoutPage() {
  std::string lines;
  for (int n = 1; n <= 17; ++n) lines += AsciiHex("  " + std::to_string(n) + "\n");
  return Hex(
      "1B 40 1B 42 01 07 0F 1C 00 0B B4 B9 0B D6 B1 0B D6 C6 0B B1 ED 0A "  // 垂直制表 on vertical tabs
      "1B 40 1B 42 00 C7 E5 B3 FD B4 B9 D6 B1 D6 C6 B1 ED 0A "
      "1B 40 1B 44 01 07 0F 1C 00 09 CB AE 09 C6 BD 09 D6 C6 09 B1 ED 0A "  // 水平制表 on horizontal tabs
      "1B 40 1B 44 00 C7 E5 B3 FD CB AE C6 BD D6 C6 B1 ED 0A 0A "
      "1B 40 1B 1D 61 02 D3 D2 B1 DF B4 F2 D3 A1 0A 1B 1D 61 01 BE D3 D6 D0 B4 F2 D3 A1 0A "
      "1B 1D 61 00 D7 F3 B1 DF B4 F2 D3 A1 0A 0A 0A 0A "
      "1B 40 BF C9 B4 F2 D3 A1 C7 F8 D3 F2 A3 BA 32 30 30 B5 E3 0A 1B 1E 41 02 1B 6C 60 1B 51 C0 "
      "2D 2D 2D 2D B4 F2 D3 A1 C7 F8 D3 F2 A3 BA D6 D0 BC E4 D2 BB D0 A1 B6 CE 2D 2D 2D 2D 0A 0A 0A "
      "1B 40 1B 43 00 04 B6 A8 D2 E5 D2 B3 B3 A4 34 D3 A2 B4 E7 28 D4 BC 31 30 63 6D 29 C8 BB BA F3 BB BB D2 B3 0C 0A "
      "1B 40 1B 43 12 D2 B3 B3 A4 31 38 D0 D0 28 D4 BC 37 35 6D 6D 29 2C CE DE D2 B3 B5 D7 20 0A " +
      lines + "1B 40 1B 43 12 1B 4E 03 D2 B3 B3 A4 31 38 D0 D0 2C D2 B3 B5 D7 33 D0 D0 28 D4 BC 31 32 6D 6D 29 0A " +
      lines + "1B 4F");
}

const char* const kCutPage =
    "1B 40 B4 F2 D3 A1 CD EA C1 A2 BC B4 C8 AB C7 D0 A3 BA 1B 4A 48 1B 64 00 "  // 打印完立即全切：
    "1B 40 B4 F2 D3 A1 CD EA C1 A2 BC B4 B0 EB C7 D0 A3 BA 1B 4A 48 1B 64 01 "  // 打印完立即半切：
    "1B 40 B4 F2 D3 A1 CD EA D7 DF D6 BD 32 35 6D 6D 2C C8 BB BA F3 C8 AB C7 D0 A3 BA 1B 4A 48 1B 64 02 "
    "1B 40 B4 F2 D3 A1 CD EA D7 DF D6 BD 33 30 6D 6D 2C C8 BB BA F3 B0 EB C7 D0 A3 BA 1B 4A 48 1B 64 03";

Bytes BitImagePage() {
  const std::set<int> everySixth = {0, 6, 12, 18, 24}, everyFifth = {0, 5, 10, 15, 20, 24};
  const struct {
    const char* caption;
    const char* head;
    int bytesPerColumn;
    const std::set<int>& lines;
  } images[] = {
      {"CB AB C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 4C 19 00", 1, everySixth},        // 双密度
      {"B5 A5 C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 4B 19 00", 1, everySixth},        // 单密度
      {"39 D5 EB B5 A5 C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 01 19 00", 2, everyFifth},
      {"39 D5 EB CB AB C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 00 19 00", 2, everyFifth},
      {"31 36 D5 EB B5 A5 C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 02 19 00", 2, everyFifth},
      {"31 36 D5 EB CB AB C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 03 19 00", 2, everyFifth},
      {"31 38 D5 EB B5 A5 C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 04 19 00", 3, everyFifth},
      {"31 38 D5 EB CB AB C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A", "1B 5E 05 19 00", 3, everyFifth},
  };
  Bytes page = Hex("1B 40");
  for (const auto& image : images) {
    Bytes columns;
    for (int c = 0; c < 25; ++c) columns = Cat({columns, Repeat(Hex(image.lines.count(c) ? "FF" : "89"), image.bytesPerColumn)});
    page = Cat({page, Hex(image.caption), Hex("0A 0A"), Hex(image.head), columns, Hex("0A 0A")});
  }
  return page;
}

struct PageButton {
  int id;
  const char* caption;
  std::vector<Bytes> runs;
  std::vector<std::size_t> lengths;
};

TEST(Star18Panel, EachPageIsOneRunThenOneReset) {
  const PageButton buttons[] = {
      {1155, "指令1：走纸相关", {FeedPage()}, {427}},
      {1156, "指令2：字体相关", {Hex(kFontPage)}, {266}},
      {1157, "指令3：页面相关", {PageLayoutPage()}, {440}},
      {1038, "指令4：钱箱相关",
       {Hex("1B 40 B5 AF C7 AE CF E4 31 A3 BA 0A 0A 0A 1B 07 10 7F 07"),  // 弹钱箱1：
        Hex("1B 40 B5 AF C7 AE CF E4 32 A3 BA 0A 0A 0A 19")},             // 弹钱箱2：
       {19, 15}},
      {1158, "指令5：切纸相关", {Hex(kCutPage)}, {114}},
      {1159, "指令6：图形相关", {BitImagePage()}, {614}},
      {1037, "指令7：黑标相关",
       {Hex("1B 40 D7 DF D6 BD B5 BD BA DA B1 EA 33 43 4D B4 A6 A3 BA 0A 1B 1D 28 46 04 00 01 00 AA 00 0C "
            "1B 40 BA DA B1 EA B4 A6 C7 D0 D6 BD A3 BA 1B 1D 28 46 04 00 02 00 DE 00 1B 64 00")},
       {58}},
  };
  for (const PageButton& b : buttons) {
    Harness h;
    const std::vector<Bytes> runs = h.Press(b.id);
    EXPECT_EQ(runs, b.runs) << b.caption;
    ASSERT_EQ(runs.size(), b.lengths.size()) << b.caption;
    for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].size(), b.lengths[i]) << b.caption;
    EXPECT_EQ(h.resetCount, 1) << b.caption;
  }
}

TEST(Star18Panel, CharacterSetPagesAreTheSharedTables) {
  const struct {
    int id;
    std::size_t length;
    const char* head;
    const char* tail;
    std::string_view table;
  } pages[] = {
      {1160, 4862, "1B 40 A3 A1 A3 A2 A3 A3", "F8 CE F8 CF", Gb2312Table()},
      {1161, 1850, "1B 40 81 B4 81 CC 83 76 83 F9", "9A 47 D5 4F DA C0", Gb18030Table()},  // ... 欸誒诶
  };
  for (const auto& p : pages) {
    Harness h;
    const std::vector<Bytes> runs = h.Press(p.id);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].size(), p.length);
    const Bytes head = Hex(p.head), tail = Hex(p.tail);
    EXPECT_EQ(Bytes(runs[0].begin(), runs[0].begin() + static_cast<long>(head.size())), head);
    EXPECT_EQ(Bytes(runs[0].end() - static_cast<long>(tail.size()), runs[0].end()), tail);
    EXPECT_EQ(runs[0], Bytes(p.table.begin(), p.table.end()));
    EXPECT_EQ(h.resetCount, 1);
  }
}

TEST(Star18Panel, CancelAndOtherIdsDoNothing) {
  Harness h;
  const std::size_t events = h.driver.events.size();
  for (int id : {2, 1030, 1048, 1162, 9999}) h.logic.OnCommand(h.panel, id);
  EXPECT_EQ(h.driver.events.size(), events);
  EXPECT_FALSE(h.panel.ended);
  h.logic.OnCommand(h.panel, 1);
  EXPECT_TRUE(h.panel.ended);
}

}  // namespace
