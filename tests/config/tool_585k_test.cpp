#include "config/tool_585k.h"

#include "config/tool_presses.h"

namespace {

constexpr int kAdjust = 1033, kList = 1119;

TEST(Tool585k, EveryButtonWritesItsFrameThenResetsOnce) {
  ExpectPresses<Tool585k>({
      {1024, "图形双向", {"1B 7C 77 00 01 01"}},
      {1025, "图形单向", {"1B 7C 77 00 01 00"}},
      {1026, "切刀有效", {"1B 7C 77 00 02 01"}},
      {1027, "切刀无效", {"1B 7C 77 00 02 00"}},
      {1102, "76mm纸宽", {"1B 7C 77 00 05 00"}},
      {1028, "57mm纸宽", {"1B 7C 77 00 05 01"}},
      {1029, "黑标有效", {"1B 7C 77 00 06 01"}},
      {1030, "黑标无效", {"1B 7C 77 00 06 00"}},
      {1031, "汉字双向", {"1B 7C 77 00 07 01"}},
      {1032, "汉字单向", {"1B 7C 77 00 07 00"}},
      {40014, "ESC/POS 模式", {"1B 7C 77 00 04 00"}},
      {1222, "STAR 模式", {"1B 7C 77 00 04 01"}},
      {1033, "双向调整： right after opening", {"1B 7C 77 00 08", "00"}},
  });
}

TEST(Tool585k, OpeningFillsTheAdjustmentListInOrderWithZeroSelected) {
  PanelHarness<Tool585k> h;
  h.logic.OnInit(h.panel);
  const std::vector<std::string> expected = {"0", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                             "8", "9", "10", "11", "12", "13", "14", "15"};
  EXPECT_EQ(h.panel.lists[kList], expected);
  EXPECT_EQ(h.panel.selected[kList], 0);
}

TEST(Tool585k, AdjustmentSendsTheSelectedItemAsDecimal) {
  const struct {
    int index;
    const char* value;
  } rows[] = {{7, "07"}, {12, "0C"}, {15, "0F"}, {1, "01"}};
  for (const auto& row : rows) {
    PanelHarness<Tool585k> h;
    h.logic.OnInit(h.panel);
    h.panel.selected[kList] = row.index;
    EXPECT_EQ(h.Press(kAdjust), (std::vector<Bytes>{Hex("1B 7C 77 00 08"), Hex(row.value)})) << row.index;
    EXPECT_EQ(h.resetCount, 1);
  }
}

TEST(Tool585k, AdjustmentWithoutSelectionSendsNothing) {
  PanelHarness<Tool585k> h;
  h.logic.OnInit(h.panel);
  h.panel.selected[kList] = -1;
  EXPECT_TRUE(h.Press(kAdjust).empty());
  EXPECT_EQ(h.resetCount, 0);
}

TEST(Tool585k, ListAndEscSendNothing) { ExpectSilent<Tool585k>({kList, 2}); }

}  // namespace
