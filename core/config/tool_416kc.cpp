#include "config/tool_416kc.h"

#include "config/config_command.h"
#include "config/distance_entry.h"
#include "config/tool_416kc_ids.h"

namespace {

constexpr std::uint8_t kWidth48mm = 0x02;
constexpr std::uint8_t kWidth54mm = 0x01;
constexpr std::uint8_t kWidth428kc = 0x00;  // sent only by the 428KC factory settings
constexpr double kStepsPerMillimetre = 8;

// Factory settings: a paper width, then the cut position zero, in one write.
Transmission FactorySettings(std::uint8_t widthCode) {
  return {{config::WidthFrame(widthCode) + config::CutPositionFrame(0, 0)}};
}

// The head, then the high and the low byte as writes of their own. A count
// that does not fit 15 bits (a minus sign, a large exponent) is refused.
std::optional<Transmission> CutPosition(Panel& panel) {
  const float millimetres = config::ReadDistanceEntry(panel, IDC_416KC_CUT_POSITION);
  const std::optional<config::StepBytes> steps =
      config::SplitSteps(millimetres * kStepsPerMillimetre, config::StepRange::WithDirection,
                         panel.IsChecked(IDC_416KC_BACKWARD));
  if (!steps) {
    panel.ShowMessage("参数有误", "输入提醒", MessageButtons::Ok);
    return std::nullopt;
  }
  return Transmission{{config::CutPositionHead(), std::string(1, static_cast<char>(steps->high)),
                       std::string(1, static_cast<char>(steps->low))}};
}

}  // namespace

std::optional<Transmission> Tool416kc::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_416KC_WIDTH_48MM: return Transmission{{config::WidthFrame(kWidth48mm)}};
    case IDC_416KC_WIDTH_54MM: return Transmission{{config::WidthFrame(kWidth54mm)}};
    case IDC_416KC_SET_CUT: return CutPosition(panel);
    case IDC_416KC_CLEAR_CUT: return Transmission{{config::CutPositionFrame(0, 0)}};
    case IDC_416KC_FACTORY_416KC: return FactorySettings(kWidth48mm);
    case IDC_416KC_FACTORY_428KC: return FactorySettings(kWidth428kc);
    default: return std::nullopt;
  }
}
