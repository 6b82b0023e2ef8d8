#include <gtest/gtest.h>

#include "config/k636/roll_panel.h"
#include "config/k636_support.h"

namespace {

using namespace k636_test;
using Harness = PanelHarness<k636::RollPanel>;

constexpr int kRestore = 1027, kFeedOut = 1025;
constexpr int kLength = 1009;

TEST(K636Roll, RestoreSendsTheRollPaperDefaults) {
  Harness h;
  const std::vector<std::string> runs = {"1B7C7700AA",
                                         "1B7C7700A01301",
                                         "1B7C7700A00E01",
                                         "1B7C7700A014",
                                         "02",
                                         "1B7C7700A015",
                                         "C5",
                                         "1B7C7700A021",
                                         "02",
                                         "1B7C7700A022",
                                         "C4",
                                         "1B7C7700A018",
                                         "02",
                                         "1B7C7700A019",
                                         "C4"};
  ExpectRuns(h, kRestore, runs, "restore");
  Harness again;
  EXPECT_EQ(TotalBytes(again.Press(kRestore)), 61u);
}

TEST(K636Roll, FirstLineAdjustmentUsesTheContinuousLoad) {
  ExpectFirstLineLoads<Harness>(
      {
          {"55", "50", "02", "7D"},      // 45 mm
          {"20.5", "33.3", "03", "7A"},  // 62.8 mm
          {"100", "50", "00", "00"},
      },
      "1B7C7700A016", "1B7C7700A017");
}

TEST(K636Roll, FirstLineRefusals) {
  ExpectFirstLineRefusals<Harness>(
      {{"", "50", kInvalidMeasurement}, {"101", "50", kTooSmall}, {"5", "1e6", kInvalidMeasurement}});
}

TEST(K636Roll, FeedOutLengthGoesForwardAndBackward) {
  const struct {
    const char *text, *high, *low;
  } rows[] = {
      {"", "00", "00"}, {"12", "00", "AA"}, {"1000", "37", "5D"}, {"4623.9", "FF", "FF"}, {"0", "00", "00"}};
  for (const auto& r : rows) {
    Harness h;
    h.panel.texts[kLength] = r.text;
    ExpectRuns(h, kFeedOut,
               {"1B7C7700A021", r.high, "1B7C7700A022", r.low, "1B7C7700A023", r.high, "1B7C7700A024", r.low},
               r.text);
  }
}

TEST(K636Roll, FeedOutLengthRefusals) {
  for (const char* text : {"-5", "-0.01", "4624", "9e9", "1e999"}) {
    Harness h;
    h.panel.texts[kLength] = text;
    ExpectRefused(h, kFeedOut, kInvalidEntry, kEntryReminder, MessageButtons::Ok, text);
  }
}

}  // namespace
