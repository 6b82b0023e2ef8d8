#pragma once

#include <cstdint>

#include "config/config_command.h"
#include "panels/command_panel.h"

// The 636K settings as runs of a button press: setting frames (group A0)
// written whole, or as the head and then the value byte in a write of its own.
namespace k636 {

// A distance setting: the codes of its high and low byte, and whether bit 7
// of the high byte carries the direction.
struct DistanceCodes {
  std::uint8_t high;
  std::uint8_t low;
  config::StepRange range = config::StepRange::Unsigned;
};

// Switch settings the quick setups restore.
inline constexpr std::uint8_t kTearOffCode = 0x0E;
inline constexpr std::uint8_t kSkipPerforationCode = 0x10;
inline constexpr std::uint8_t kNoPageLengthCode = 0x13;

inline constexpr DistanceCodes kSheetLoad{0x14, 0x15};
inline constexpr DistanceCodes kContinuousLoad{0x16, 0x17};
inline constexpr DistanceCodes kPageLengthError{0x18, 0x19, config::StepRange::WithDirection};
inline constexpr DistanceCodes kLeftMargin{0x1B, 0x1C};
inline constexpr DistanceCodes kPageFeedForward{0x21, 0x22};
inline constexpr DistanceCodes kPageFeedBackward{0x23, 0x24};

// One whole 7-byte setting frame.
void SendSetting(Transmission& t, std::uint8_t code, std::uint8_t value);

// The setting head, then the value byte on its own.
void SendSettingValue(Transmission& t, std::uint8_t code, std::uint8_t value);

// A step count (1/360 inch) as two value frames, high byte first.
void SendStepPair(Transmission& t, DistanceCodes codes, std::uint16_t steps);

// Millimetres as steps of 1/360 inch (truncated toward zero) in two value
// frames; `backward` sets bit 7 of the high byte. A distance whose step
// count is not finite, negative or too wide for its bytes adds nothing and
// gives false: the press must then be refused.
[[nodiscard]] bool SendDistancePair(Transmission& t, DistanceCodes codes, float millimetres,
                                    bool backward = false);

}  // namespace k636
