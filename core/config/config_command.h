#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The maker's configuration command ESC | w: the head 1B 7C 77 <function>,
// then a parameter code or a group byte (A0, A1, AA) and the value.
namespace config {

// 1B 7C 77 00: the head alone, also the E42-300NC factory command.
std::string BareHead(std::uint8_t function = 0x00);
// 1B 7C 77 00 pp: parameter head; the value byte follows.
std::string ParameterHead(std::uint8_t code, std::uint8_t function = 0x00);
// 1B 7C 77 fn pp vv: parameter code and value (515K/KB, 585K/KC, E42-300NC).
std::string ParameterFrame(std::uint8_t code, std::uint8_t value, std::uint8_t function = 0x00);
// 1B 7C 77 00 AA 73 ww: paper width.
std::string WidthFrame(std::uint8_t widthCode);
// 1B 7C 77 00 AA 63: cut position head; the two position bytes follow.
std::string CutPositionHead();
// 1B 7C 77 00 AA 63 hh ll.
std::string CutPositionFrame(std::uint8_t high, std::uint8_t low);
// 1B 7C 77 00 A0 cc: setting head; the value byte follows.
std::string SettingHead(std::uint8_t code);
// 1B 7C 77 00 A0 cc vv.
std::string SettingFrame(std::uint8_t code, std::uint8_t value);
// 1B 7C 77 00 A1 mm: graphics adjustment head for a print mode.
std::string GraphicsHead(std::uint8_t mode);
// 1B 7C 77 00 A1 mm vv.
std::string GraphicsFrame(std::uint8_t mode, std::uint8_t value);
// 1B 7C 77 00 AA: restore the factory settings.
std::string FactoryDefaultFrame();

// A step count as two bytes, high byte first.
struct StepBytes {
  std::uint8_t high = 0;
  std::uint8_t low = 0;
};

// How wide a step count may be: bit 7 of the high byte either carries a
// direction (15 bits left) or belongs to the count (16 bits).
enum class StepRange { WithDirection, Unsigned };

// Splits a step count, truncated toward zero, into its two bytes; with
// `backward`, bit 7 of the high byte is set. Counts that are not finite,
// negative or too large for the range give nothing.
std::optional<StepBytes> SplitSteps(double steps, StepRange range, bool backward = false);

}  // namespace config
