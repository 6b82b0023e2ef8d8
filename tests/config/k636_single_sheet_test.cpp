#include <gtest/gtest.h>

#include "config/k636/single_sheet_panel.h"
#include "config/k636_support.h"

namespace {

using namespace k636_test;
using Harness = PanelHarness<k636::SingleSheetPanel>;

constexpr int kRestore = 1027;

TEST(K636SingleSheet, RestoreSendsFactorySettingsAndTheFortyMillimetreLoad) {
  Harness h;
  ExpectRuns(h, kRestore, {"1B7C7700AA", "1B7C7700A014", "02", "1B7C7700A015", "36"}, "restore");
}

TEST(K636SingleSheet, FirstLineAdjustment) {
  ExpectFirstLineLoads<Harness>(
      {
          {"45", "40", "01", "F0"},    // 35 mm
          {"80", "40", "00", "00"},    // exactly 0 is accepted
          {"3", "1.1", "02", "1B"},    // 38.1 narrowed below: 539 steps, not 540
          {"45.8", "40", "01", "E4"},  // the whole entry: 34.2 mm
          {"1.1", "40", "04", "5E"},
          {"30", "12.5", "01", "3E"},
      },
      "1B7C7700A014", "1B7C7700A015");
}

TEST(K636SingleSheet, AdjustmentRefusals) {
  ExpectFirstLineRefusals<Harness>({
      {"", "", kInvalidMeasurement},
      {"1", "40", kInvalidMeasurement},
      {"45", "1", kInvalidMeasurement},
      {"abc", "40", kInvalidMeasurement},
      {"-45", "40", kInvalidMeasurement},
      {"1e999", "40", kInvalidMeasurement},
      {"45", "9e9", kInvalidMeasurement},  // too far for two bytes
      {"90", "40", kTooSmall},
      {"80.1", "40", kTooSmall},
  });
}

TEST(K636SingleSheet, OtherControlsDoNothing) {
  Harness h;
  for (int id : {kFirstLineActual, kFirstLineIdeal, 1025, 2}) ExpectIgnored(h, id, std::to_string(id));
}

}  // namespace
