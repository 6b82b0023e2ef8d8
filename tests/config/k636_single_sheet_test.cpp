#include <gtest/gtest.h>

#include "config/k636/single_sheet_panel.h"
#include "config/k636_support.h"

namespace {

using namespace k636_test;
using Harness = PanelHarness<k636::SingleSheetPanel>;

constexpr int kRestore = 1027, kAdjust = 1024, kActual = 1008, kIdeal = 1029;

TEST(K636SingleSheet, RestoreSendsFactorySettingsAndTheFortyMillimetreLoad) {
  Harness h;
  ExpectRuns(h, kRestore, {"1B7C7700AA", "1B7C7700A014", "02", "1B7C7700A015", "36"}, "restore");
}

TEST(K636SingleSheet, FirstLineAdjustment) {
  const struct {
    const char *actual, *ideal, *high, *low;
  } rows[] = {
      {"45", "40", "01", "F0"},    // 35 mm
      {"80", "40", "00", "00"},    // exactly 0 is accepted
      {"3", "1.1", "02", "1B"},    // 38.1 narrowed below: 539 steps, not 540
      {"45.8", "40", "01", "E4"},  // the whole entry: 34.2 mm
      {"1.1", "40", "04", "5E"},  {"30", "12.5", "01", "3E"},
  };
  for (const auto& r : rows) {
    Harness h;
    h.panel.texts[kActual] = r.actual;
    h.panel.texts[kIdeal] = r.ideal;
    ExpectRuns(h, kAdjust, {"1B7C7700A014", r.high, "1B7C7700A015", r.low},
               std::string(r.actual) + "/" + r.ideal);
  }
}

TEST(K636SingleSheet, AdjustmentRefusals) {
  const struct {
    const char *actual, *ideal, *text;
  } rows[] = {
      {"", "", kInvalidMeasurement},
      {"1", "40", kInvalidMeasurement},
      {"45", "1", kInvalidMeasurement},
      {"abc", "40", kInvalidMeasurement},
      {"-45", "40", kInvalidMeasurement},
      {"1e999", "40", kInvalidMeasurement},
      {"45", "9e9", kInvalidMeasurement},  // too far for two bytes
      {"90", "40", kTooSmall},
      {"80.1", "40", kTooSmall},
  };
  for (const auto& r : rows) {
    Harness h;
    h.panel.texts[kActual] = r.actual;
    h.panel.texts[kIdeal] = r.ideal;
    ExpectRefused(h, kAdjust, r.text, kEntryReminder, MessageButtons::Ok,
                  std::string(r.actual) + "/" + r.ideal);
  }
}

TEST(K636SingleSheet, OtherControlsDoNothing) {
  Harness h;
  for (int id : {kActual, kIdeal, 1025, 2}) ExpectIgnored(h, id, std::to_string(id));
}

}  // namespace
