#include "panels/star18_panel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "panels/panel_harness.h"
#include "perf/charset_tables.h"

namespace {

using Harness = PanelHarness<Star18Panel>;

// True when the key sequences occur in the page in this order.
bool InOrder(const Bytes& page, const std::vector<std::string>& keys) {
  auto at = page.begin();
  for (const std::string& key : keys) {
    const Bytes k = Hex(key);
    at = std::search(at, page.end(), k.begin(), k.end());
    if (at == page.end()) return false;
    at += static_cast<long>(k.size());
  }
  return true;
}

struct PageButton {
  int id;
  const char* caption;
  std::vector<std::size_t> lengths;
  std::vector<std::string> keys;  // over all runs joined
};

TEST(Star18Panel, EachPageHasItsLengthAndKeyCommandsThenOneReset) {
  const PageButton buttons[] = {
      {1155, "指令1：走纸相关", {427},
       {"1B 40 1B 30 2D 2D 2D 2D 2D 2D 31 2F 38 D0 D0 BC E4 BE E0 A3 BA 0A",  // ------1/8行间距：
        "D7 DF D6 BD 36 D0 D0 1B 61 04 0A 0A",                                // 走纸6行, ESC a 4
        "1B 40 1B 31", "1B 40 1B 7A 00", "1B 40 1B 7A 01", "1B 40 1B 41 04 1B 32", "1B 40 1B 33 36",
        "1B 40 1B 79 48", "1B 40 1B 49 12 2D 2D 2D 2D 2D 2D 2D 0A", "1B 40 1B 4A 24", "0A 0A 0A"}},
      {1156, "指令2：字体相关", {266},
       {"1B 40 1B 2F 01", "1B 2F 00", "1B 40 1B 50", "1B 3A", "1B 4D", "0A 0A 20 1B 40 1B 20 0F", "1B 20 00",
        "1B 57 01", "1B 57 00", "1B 68 01", "1B 68 00", "1B 45", "1B 46", "1B 5F 01", "1B 5F 00", "1B 2D 01",
        "1B 2D 00", "1B 40 1B 1E 69 01", "1B 1E 69 00 0A 0A"}},
      {1157, "指令3：页面相关", {440},
       {"1B 40 1B 42 01 07 0F 1C 00 0B B4 B9 0B", "1B 42 00", "1B 40 1B 44 01 07 0F 1C 00 09 CB AE 09", "1B 44 00",
        "1B 1D 61 02", "1B 1D 61 01", "1B 1D 61 00", "1B 1E 41 02 1B 6C 60 1B 51 C0", "1B 43 00 04", "0C 0A",
        "1B 40 1B 43 12", "20 20 31 37 0A", "1B 40 1B 43 12 1B 4E 03", "20 20 31 37 0A 1B 4F"}},
      {1038, "指令4：钱箱相关", {19, 15},
       {"1B 40 B5 AF C7 AE CF E4 31 A3 BA 0A 0A 0A 1B 07 10 7F 07"  // 弹钱箱1：
        "1B 40 B5 AF C7 AE CF E4 32 A3 BA 0A 0A 0A 19"}},             // 弹钱箱2：
      {1158, "指令5：切纸相关", {114},
       {"1B 40 B4 F2 D3 A1 CD EA C1 A2 BC B4 C8 AB C7 D0 A3 BA 1B 4A 48 1B 64 00",  // 打印完立即全切：
        "1B 4A 48 1B 64 01", "32 35 6D 6D 2C", "1B 4A 48 1B 64 02", "33 30 6D 6D 2C", "1B 4A 48 1B 64 03"}},
      {1159, "指令6：图形相关", {614},
       // 双密度位图打印: then ESC L and 25 one-byte columns, lines every sixth
       {"1B 40 CB AB C3 DC B6 C8 CE BB CD BC B4 F2 D3 A1 3A 0A 0A 1B 4C 19 00 FF 89 89 89 89 89 FF",
        "1B 4B 19 00", "1B 5E 01 19 00 FF FF 89 89 89 89 89 89 89 89 FF FF", "1B 5E 00 19 00", "1B 5E 02 19 00",
        "1B 5E 03 19 00", "1B 5E 04 19 00 FF FF FF 89 89 89", "1B 5E 05 19 00",
        "89 89 89 89 89 89 89 89 89 FF FF FF 0A 0A"}},
      {1037, "指令7：黑标相关", {58},
       {"1B 40 D7 DF D6 BD B5 BD BA DA B1 EA 33 43 4D B4 A6 A3 BA 0A 1B 1D 28 46 04 00 01 00 AA 00 0C "
        "1B 40 BA DA B1 EA B4 A6 C7 D0 D6 BD A3 BA 1B 1D 28 46 04 00 02 00 DE 00 1B 64 00"}},
  };
  for (const PageButton& b : buttons) {
    Harness h;
    const std::vector<Bytes> runs = h.Press(b.id);
    ASSERT_EQ(runs.size(), b.lengths.size()) << b.caption;
    Bytes all;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].size(), b.lengths[i]) << b.caption;
      all.insert(all.end(), runs[i].begin(), runs[i].end());
    }
    EXPECT_TRUE(InOrder(all, b.keys)) << b.caption;
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
