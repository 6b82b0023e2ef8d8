#include "config/k636/setting_runs.h"

namespace k636 {

void SendSetting(Transmission& t, std::uint8_t code, std::uint8_t value) {
  t.runs.push_back(config::SettingFrame(code, value));
}

void SendSettingValue(Transmission& t, std::uint8_t code, std::uint8_t value) {
  t.runs.push_back(config::SettingHead(code));
  t.runs.push_back(std::string(1, static_cast<char>(value)));
}

void SendStepPair(Transmission& t, DistanceCodes codes, std::uint16_t steps) {
  SendSettingValue(t, codes.high, static_cast<std::uint8_t>(steps >> 8));
  SendSettingValue(t, codes.low, static_cast<std::uint8_t>(steps & 0xFF));
}

bool SendDistancePair(Transmission& t, DistanceCodes codes, float millimetres, bool backward) {
  // Multiplied first, in double precision, as the printer's step is 1/360 inch.
  const double steps = static_cast<double>(millimetres) * 360.0 / 25.4;
  const std::optional<config::StepBytes> bytes = config::SplitSteps(steps, codes.range, backward);
  if (!bytes) return false;
  SendSettingValue(t, codes.high, bytes->high);
  SendSettingValue(t, codes.low, bytes->low);
  return true;
}

}  // namespace k636
