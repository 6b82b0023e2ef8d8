#include "config/distance_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fakes/fake_panel.h"

namespace {

TEST(ParseDecimal, ReadsTheLeadingDecimalNumberOnly) {
  const struct {
    const char* text;
    double value;
  } rows[] = {
      {"5", 5},        {"12.5", 12.5},   {"  40", 40},     {"+2.5", 2.5},   {"-0.1", -0.1},
      {".5", 0.5},     {"5.", 5},        {"1e2", 100},     {"1E+2", 100},   {"25e-1", 2.5},
      {"1e", 1},       {"1e+", 1},       {"3mm", 3},       {"12.5.3", 12.5}, {"", 0},
      {"abc", 0},      {".", 0},         {"-", 0},         {"0x5", 0},      {"inf", 0},
      {"nan", 0},      {"- 5", 0},       {"\t\n7", 7},     {"50.00", 50},   {"999", 999},
      {"2.5", 2.5},    {"-5", -5},       {"5e3", 5000},    {"0", 0},        {"infinity", 0},
  };
  for (const auto& row : rows) EXPECT_EQ(config::ParseDecimal(row.text), row.value) << '"' << row.text << '"';
}

TEST(ParseDecimal, ExtremeEntries) {
  const std::string longDigits = "1" + std::string(400, '0');  // 1e400
  EXPECT_EQ(config::ParseDecimal(longDigits), HUGE_VAL);
  EXPECT_EQ(config::ParseDecimal("-" + longDigits), -HUGE_VAL);
  EXPECT_EQ(config::ParseDecimal("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(config::ParseDecimal("1e999999999999"), HUGE_VAL);
  EXPECT_EQ(config::ParseDecimal("1e-999999999999"), 0.0);
  EXPECT_EQ(config::ParseDecimal("0e999999999999"), 0.0);
  EXPECT_EQ(config::ParseDecimal(std::string(300, '0') + "12.25"), 12.25);
  EXPECT_EQ(config::ParseDecimal("9e9"), 9e9);
}

TEST(ReadDistanceEntry, WholeEntryInSinglePrecision) {
  FakePanel panel;
  panel.texts[1008] = "12.5";
  EXPECT_EQ(config::ReadDistanceEntry(panel, 1008), 12.5f);
  panel.texts[1008] = "1000";
  EXPECT_EQ(config::ReadDistanceEntry(panel, 1008), 1000.0f);
  panel.texts[1008] = "1.1";  // narrowed: not the double 1.1
  EXPECT_EQ(config::ReadDistanceEntry(panel, 1008), 1.1f);
  EXPECT_NE(static_cast<double>(config::ReadDistanceEntry(panel, 1008)), 1.1);
  panel.texts[1008] = "1e39";  // beyond single precision
  EXPECT_TRUE(std::isinf(config::ReadDistanceEntry(panel, 1008)));
}

}  // namespace
