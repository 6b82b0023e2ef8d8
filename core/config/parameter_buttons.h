#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "panels/command_panel.h"

namespace config {

// Parameter codes that the 515K/KB, 585K/KC and E42-300NC read alike.
inline constexpr std::uint8_t kGraphicsDirection = 0x01;  // 01 both ways, 00 one way
inline constexpr std::uint8_t kCutter = 0x02;             // 01 on, 00 off
inline constexpr std::uint8_t kPaperWidth = 0x05;         // 00 76 mm, 01 57 mm
inline constexpr std::uint8_t kBlackMark = 0x06;          // 01 on, 00 off
inline constexpr std::uint8_t kChineseDirection = 0x07;   // 01 both ways, 00 one way

// A tool button that sends one parameter frame 1B 7C 77 00 pp vv.
struct ParameterButton {
  int id;
  std::uint8_t code;
  std::uint8_t value;
};

// The button's frame as one write, or nothing when the id is not in the table.
std::optional<Transmission> ParameterButtonPress(std::span<const ParameterButton> buttons, int id);

}  // namespace config
