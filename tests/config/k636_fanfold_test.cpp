#include <gtest/gtest.h>

#include "config/k636/fanfold_panel.h"
#include "config/k636_support.h"

namespace {

using namespace k636_test;
using Harness = PanelHarness<k636::FanfoldPanel>;

constexpr int kRestore = 1027, kMeasure = 1024;
constexpr int kLength = 1009, kWanted = 1012, kPage1 = 1013, kPage2 = 1010;

struct Entries {
  const char *length, *wanted, *page1, *page2;
};

void Enter(Harness& h, const Entries& e) {
  h.panel.texts[kLength] = e.length;
  h.panel.texts[kWanted] = e.wanted;
  h.panel.texts[kPage1] = e.page1;
  h.panel.texts[kPage2] = e.page2;
}

std::string Label(const Entries& e) {
  return std::string("L=") + e.length + " P=" + e.wanted + " L1=" + e.page1 + " L2=" + e.page2;
}

TEST(K636Fanfold, RestoreSendsTheFanfoldDefaults) {
  Harness h;
  const std::vector<std::string> runs = {"1B7C7700AA",
                                         "1B7C7700A01300",
                                         "1B7C7700A01001",
                                         "1B7C7700A016",
                                         "02",
                                         "1B7C7700A017",
                                         "C5",
                                         "1B7C7700A00E01",
                                         "1B7C7700A02100",
                                         "1B7C7700A02200",
                                         "1B7C7700A02300",
                                         "1B7C7700A02400"};
  ExpectRuns(h, kRestore, runs, "restore");
  Harness again;
  EXPECT_EQ(TotalBytes(again.Press(kRestore)), 68u);
}

TEST(K636Fanfold, MeasurementsGiveLoadErrorAndFeed) {
  const struct {
    Entries in;
    const char *load, *error, *feed;  // high and low byte each
  } rows[] = {
      {{"", "", "", ""}, "02 C4", "80 00", "02 93"},
      {{"101", "10", "12", "114"}, "02 A8", "80 0E", "02 AF"},
      {{"101", "10", "12", "112"}, "02 A8", "00 0E", "02 AF"},
      {{"", "5", "4.2", ""}, "02 CF", "00 3B", "02 87"},  // 50.8 narrowed below: 719 steps
      {{"101.6", "10", "12", "114"}, "02 A8", "80 05", "02 AF"},
      {{"152.4", "8.5", "11.3", "166.1"}, "02 9C", "80 22", "02 BA"},
  };
  for (const auto& r : rows) {
    Harness h;
    Enter(h, r.in);
    const Bytes load = Hex(r.load), error = Hex(r.error), feed = Hex(r.feed);
    const auto byte = [](std::uint8_t b) { return ToHex(Bytes{b}); };
    ExpectRuns(h, kMeasure,
               {"1B7C7700A016", byte(load[0]), "1B7C7700A017", byte(load[1]), "1B7C7700A018", byte(error[0]),
                "1B7C7700A019", byte(error[1]), "1B7C7700A021", byte(feed[0]), "1B7C7700A022", byte(feed[1]),
                "1B7C7700A023", byte(feed[0]), "1B7C7700A024", byte(feed[1])},
               Label(r.in));
  }
}

TEST(K636Fanfold, RefusedBeforeAnyFrame) {
  const struct {
    Entries in;
    const char* text;
  } rows[] = {
      {{"", "10", "61", ""}, kTooSmall},                   // load -1
      {{"", "50", "3", ""}, kTooSmall},                    // feed -0.5, load and error fine
      {{"101", "10", "12", "3000"}, kInvalidMeasurement},  // error beyond 32767 steps
      {{"", "1e999", "", ""}, kInvalidMeasurement},        // not finite
      {{"9e9", "", "", ""}, kInvalidMeasurement},
  };
  for (const auto& r : rows) {
    Harness h;
    Enter(h, r.in);
    ExpectRefused(h, kMeasure, r.text, kEntryReminder, MessageButtons::Ok, Label(r.in));
  }
}

}  // namespace
