#include "config/config_command.h"

#include <cmath>

namespace config {

namespace {
constexpr std::uint8_t kSettingGroup = 0xA0;
constexpr std::uint8_t kGraphicsGroup = 0xA1;
constexpr std::uint8_t kModelGroup = 0xAA;
constexpr std::uint8_t kWidthCommand = 0x73;  // 's'
constexpr std::uint8_t kCutCommand = 0x63;    // 'c'

std::string With(std::string frame, std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) frame += static_cast<char>(b);
  return frame;
}
}  // namespace

std::string BareHead(std::uint8_t function) { return With("\x1B|w", {function}); }

std::string ParameterHead(std::uint8_t code, std::uint8_t function) {
  return With(BareHead(function), {code});
}

std::string ParameterFrame(std::uint8_t code, std::uint8_t value, std::uint8_t function) {
  return With(ParameterHead(code, function), {value});
}

std::string WidthFrame(std::uint8_t widthCode) {
  return With(BareHead(), {kModelGroup, kWidthCommand, widthCode});
}

std::string CutPositionHead() { return With(BareHead(), {kModelGroup, kCutCommand}); }

std::string CutPositionFrame(std::uint8_t high, std::uint8_t low) {
  return With(CutPositionHead(), {high, low});
}

std::string SettingHead(std::uint8_t code) { return With(BareHead(), {kSettingGroup, code}); }

std::string SettingFrame(std::uint8_t code, std::uint8_t value) {
  return With(SettingHead(code), {value});
}

std::string GraphicsHead(std::uint8_t mode) { return With(BareHead(), {kGraphicsGroup, mode}); }

std::string GraphicsFrame(std::uint8_t mode, std::uint8_t value) {
  return With(GraphicsHead(mode), {value});
}

std::string FactoryDefaultFrame() { return With(BareHead(), {kModelGroup}); }

std::optional<StepBytes> SplitSteps(double steps, StepRange range, bool backward) {
  if (!std::isfinite(steps)) return std::nullopt;
  const double whole = std::trunc(steps);
  const double limit = range == StepRange::WithDirection ? 0x7FFF : 0xFFFF;
  if (whole < 0 || whole > limit) return std::nullopt;
  const auto count = static_cast<std::uint32_t>(whole);
  StepBytes bytes{static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFF)};
  if (backward) bytes.high |= 0x80;
  return bytes;
}

}  // namespace config
