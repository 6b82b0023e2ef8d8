#include "config/tool_416kc.h"

#include "config/tool_presses.h"

namespace {

constexpr int kForward = 1114, kBackward = 1161, kEntry = 1008, kSetCut = 1026;

TEST(Tool416kc, EveryButtonWritesItsFramesThenResetsOnce) {
  ExpectPresses<Tool416kc>({
      {1024, "QV-416KC(48mm)", {"1B 7C 77 00 AA 73 02"}},
      {1025, "QV-416KC(54mm)", {"1B 7C 77 00 AA 73 01"}},
      {1026, "设置切纸位置 (empty)", {"1B 7C 77 00 AA 63", "00", "00"}},
      {1027, "切纸位置清零", {"1B 7C 77 00 AA 63 00 00"}},
      {1028, "416KC 恢复出厂设置", {"1B 7C 77 00 AA 73 02 1B 7C 77 00 AA 63 00 00"}},
      {1029, "428KC 恢复出厂设置", {"1B 7C 77 00 AA 73 00 1B 7C 77 00 AA 63 00 00"}},
  });
}

TEST(Tool416kc, CutPositionIsTheWholeEntryInEighthMillimetres) {
  const struct {
    const char* entry;
    bool backward;
    const char* position;  // high, low
  } rows[] = {
      {"5", false, "00 28"},      {"5", true, "80 28"},        {"40", false, "01 40"},
      {"0", true, "80 00"},       {"2.5", false, "00 14"},     {"999", false, "1F 38"},
      {"12.5", false, "00 64"},   {"12.5", true, "80 64"},     {".5", false, "00 04"},
      {"1e2", false, "03 20"},    {" 7mm", false, "00 38"},    {"abc", false, "00 00"},
      {"0x5", false, "00 00"},    {"-0.1", false, "00 00"},    {"4095.875", true, "FF FF"},
      {"0.1", false, "00 00"},    {"1.9", false, "00 0F"},     {"inf", true, "80 00"},
  };
  for (const auto& row : rows) {
    PanelHarness<Tool416kc> h;
    h.panel.messages.clear();  // the interface prompt
    h.panel.texts[kEntry] = row.entry;
    h.panel.checked[kBackward] = row.backward;
    h.panel.checked[kForward] = !row.backward;
    const Bytes position = Hex(row.position);
    const std::vector<Bytes> expected = {Hex("1B 7C 77 00 AA 63"), {position[0]}, {position[1]}};
    EXPECT_EQ(h.Press(kSetCut), expected) << row.entry;
    EXPECT_EQ(h.resetCount, 1) << row.entry;
    EXPECT_TRUE(h.panel.messages.empty()) << row.entry;
  }
}

TEST(Tool416kc, BackToForwardClearsTheDirectionBit) {
  PanelHarness<Tool416kc> h;
  h.panel.texts[kEntry] = "5";
  h.panel.checked[kBackward] = true;
  EXPECT_EQ(h.Press(kSetCut)[1], Hex("80"));
  h.panel.checked[kBackward] = false;
  h.panel.checked[kForward] = true;
  EXPECT_EQ(h.Press(kSetCut)[1], Hex("00"));
}

TEST(Tool416kc, PositionThatCannotBeEncodedIsRefusedWithoutWriteOrReset) {
  for (const char* entry : {"-5", "5e3", "4096", "9e9", "1e39", "-1e400"}) {
    PanelHarness<Tool416kc> h;
    h.panel.messages.clear();  // the interface prompt
    h.panel.texts[kEntry] = entry;
    EXPECT_TRUE(h.Press(kSetCut).empty()) << entry;
    EXPECT_EQ(h.resetCount, 0) << entry;
    ASSERT_EQ(h.panel.messages.size(), 1u) << entry;
    EXPECT_EQ(ToHex(Ascii(h.panel.messages[0].text)), ToHex(Hex("B2CE CAFD D3D0 CEF3")));  // 参数有误
    EXPECT_EQ(ToHex(Ascii(h.panel.messages[0].caption)), ToHex(Hex("CAE4 C8EB CCE1 D0D1")));  // 输入提醒
    EXPECT_EQ(h.panel.messages[0].buttons, MessageButtons::Ok);
  }
}

TEST(Tool416kc, DirectionButtonsEntryAndEscSendNothing) {
  ExpectSilent<Tool416kc>({kForward, kBackward, kEntry, 2, 1030});
}

}  // namespace
