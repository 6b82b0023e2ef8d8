#include "config/config_command.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/hex.h"

namespace {

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(ConfigCommand, FrameFamilies) {
  const struct {
    std::string frame;
    const char* hex;
  } rows[] = {
      {config::BareHead(), "1B 7C 77 00"},
      {config::ParameterHead(0x08), "1B 7C 77 00 08"},
      {config::ParameterFrame(0x08, 0x07), "1B 7C 77 00 08 07"},
      {config::ParameterFrame(0x07, 0x01, 0x01), "1B 7C 77 01 07 01"},
      {config::WidthFrame(0x02), "1B 7C 77 00 AA 73 02"},
      {config::CutPositionHead(), "1B 7C 77 00 AA 63"},
      {config::CutPositionFrame(0x00, 0x00), "1B 7C 77 00 AA 63 00 00"},
      {config::SettingHead(0x12), "1B 7C 77 00 A0 12"},
      {config::SettingFrame(0x12, 0x01), "1B 7C 77 00 A0 12 01"},
      {config::GraphicsHead(0x05), "1B 7C 77 00 A1 05"},
      {config::GraphicsFrame(0x03, 0x09), "1B 7C 77 00 A1 03 09"},
      {config::FactoryDefaultFrame(), "1B 7C 77 00 AA"},
  };
  for (const auto& row : rows) EXPECT_EQ(ToHex(B(row.frame)), ToHex(Hex(row.hex)));
}

TEST(ConfigCommand, StepSplit) {
  using config::StepRange;
  const struct {
    double steps;
    StepRange range;
    bool backward;
    const char* hex;  // empty: refused
  } rows[] = {
      {40, StepRange::WithDirection, false, "00 28"},
      {40, StepRange::WithDirection, true, "80 28"},
      {0, StepRange::WithDirection, true, "80 00"},
      {7992.9, StepRange::WithDirection, false, "1F 38"},
      {708, StepRange::Unsigned, false, "02 C4"},
      {0x7FFF, StepRange::WithDirection, true, "FF FF"},
      {0x8000, StepRange::WithDirection, false, ""},
      {0xFFFF, StepRange::Unsigned, false, "FF FF"},
      {0x10000, StepRange::Unsigned, false, ""},
      {-0.9, StepRange::Unsigned, false, "00 00"},  // truncates to zero
      {-1, StepRange::Unsigned, false, ""},
      {9e9, StepRange::Unsigned, false, ""},
      {HUGE_VAL, StepRange::Unsigned, false, ""},
      {NAN, StepRange::Unsigned, false, ""},
  };
  for (const auto& row : rows) {
    const auto bytes = config::SplitSteps(row.steps, row.range, row.backward);
    const std::string got = bytes ? ToHex(Bytes{bytes->high, bytes->low}) : "";
    EXPECT_EQ(got, ToHex(Hex(row.hex))) << "steps " << row.steps;
  }
}

}  // namespace
