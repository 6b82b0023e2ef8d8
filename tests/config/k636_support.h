#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "panels/panel_harness.h"

// Shared by the 636K panel tests.
namespace k636_test {

// Message texts and captions in GBK.
inline constexpr const char* kInvalidMeasurement =
    "B2 CE CA FD CE DE D0 A7 2C C7 EB D4 D9 B2 E2 C1 BF D2 BB B4 CE";  // 参数无效,请再测量一次
inline constexpr const char* kTooSmall =
    "BE E0 C0 EB B9 FD D0 A1 2C BD A8 D2 E9 CA B9 D3 C3 B8 DF BC B6 C9 E8 D6 C3";  // 距离过小,建议使用高级设置
inline constexpr const char* kInvalidEntry = "B2 CE CA FD D3 D0 CE F3";   // 参数有误
inline constexpr const char* kEntryReminder = "CA E4 C8 EB CC E1 D0 D1";  // 输入提醒

inline std::vector<Bytes> HexRuns(const std::vector<std::string>& runs) {
  std::vector<Bytes> out;
  for (const std::string& r : runs) out.push_back(Hex(r));
  return out;
}

inline Bytes Gbk(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Field texts and check states set before a press.
struct Inputs {
  std::map<int, std::string> texts;
  std::map<int, bool> checks;
};

template <typename Harness>
void Apply(Harness& h, const Inputs& in) {
  for (const auto& [id, text] : in.texts) h.panel.texts[id] = text;
  for (const auto& [id, on] : in.checks) h.panel.checked[id] = on;
}

// The press writes exactly these runs, then resets the link once.
template <typename Harness>
void ExpectRuns(Harness& h, int id, const std::vector<std::string>& runs, const std::string& label) {
  const std::size_t boxes = h.panel.messages.size();
  EXPECT_EQ(h.Press(id), HexRuns(runs)) << label;
  EXPECT_EQ(h.resetCount, 1) << label;
  EXPECT_EQ(h.panel.messages.size(), boxes) << label;
}

// The press shows one box owned by the panel and writes nothing, not even
// the reset.
template <typename Harness>
void ExpectRefused(Harness& h, int id, const char* textHex, const char* captionHex, MessageButtons buttons,
                   const std::string& label) {
  const std::size_t boxes = h.panel.messages.size();
  const std::size_t events = h.driver.events.size();
  EXPECT_TRUE(h.Press(id).empty()) << label;
  EXPECT_EQ(h.driver.events.size(), events) << label;
  ASSERT_EQ(h.panel.messages.size(), boxes + 1) << label;
  const FakePanel::Message& box = h.panel.messages.back();
  EXPECT_EQ(ToHex(Gbk(box.text)), ToHex(Hex(textHex))) << label;
  EXPECT_EQ(ToHex(Gbk(box.caption)), ToHex(Hex(captionHex))) << label;
  EXPECT_EQ(box.buttons, buttons) << label;
}

// Nothing written and no reset, without a box.
template <typename Harness>
void ExpectIgnored(Harness& h, int id, const std::string& label) {
  const std::size_t boxes = h.panel.messages.size();
  const std::size_t events = h.driver.events.size();
  h.Press(id);
  EXPECT_EQ(h.driver.events.size(), events) << label;
  EXPECT_EQ(h.panel.messages.size(), boxes) << label;
}

// The first-line adjustment of the quick setups: measured (1008) and wanted
// (1029) first line, pressed with 1024.
struct FirstLineLoad {
  const char *actual, *ideal, *high, *low;  // low and high: the load's step bytes
};
struct FirstLineRefusal {
  const char *actual, *ideal, *text;
};
inline constexpr int kFirstLineActual = 1008, kFirstLineIdeal = 1029, kFirstLineAdjust = 1024;

// Each row sends the load under the two setting heads.
template <typename Harness>
void ExpectFirstLineLoads(std::initializer_list<FirstLineLoad> rows, const char* highHead, const char* lowHead) {
  for (const FirstLineLoad& r : rows) {
    Harness h;
    h.panel.texts[kFirstLineActual] = r.actual;
    h.panel.texts[kFirstLineIdeal] = r.ideal;
    ExpectRuns(h, kFirstLineAdjust, {highHead, r.high, lowHead, r.low}, std::string(r.actual) + "/" + r.ideal);
  }
}

// Each row is refused with its text under "输入提醒".
template <typename Harness>
void ExpectFirstLineRefusals(std::initializer_list<FirstLineRefusal> rows) {
  for (const FirstLineRefusal& r : rows) {
    Harness h;
    h.panel.texts[kFirstLineActual] = r.actual;
    h.panel.texts[kFirstLineIdeal] = r.ideal;
    ExpectRefused(h, kFirstLineAdjust, r.text, kEntryReminder, MessageButtons::Ok,
                  std::string(r.actual) + "/" + r.ideal);
  }
}

}  // namespace k636_test
