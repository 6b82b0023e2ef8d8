#include "config/tool_e42.h"

#include "config/config_command.h"
#include "config/parameter_buttons.h"
#include "config/tool_e42_ids.h"

namespace {

using namespace config;

// Parameter codes of this printer alone.
constexpr std::uint8_t kStarEmulation = 0x04;

constexpr ParameterButton kButtons[] = {
    {IDC_E42_EPSON, kStarEmulation, 0x00},
    {IDC_E42_STAR, kStarEmulation, 0x01},
    {IDC_E42_BLACK_MARK_ON, kBlackMark, 0x01},
    {IDC_E42_BLACK_MARK_OFF, kBlackMark, 0x00},
    {IDC_E42_WIDTH_76MM, kPaperWidth, 0x00},
    {IDC_E42_WIDTH_57MM, kPaperWidth, 0x01},
    {IDC_E42_GRAPHICS_ONE_WAY, kGraphicsDirection, 0x00},
    {IDC_E42_GRAPHICS_TWO_WAY, kGraphicsDirection, 0x01},
    {IDC_E42_CHINESE_ONE_WAY, kChineseDirection, 0x00},
    {IDC_E42_CHINESE_TWO_WAY, kChineseDirection, 0x01},
};

}  // namespace

std::optional<Transmission> ToolE42::RunsFor(Panel&, int controlId) {
  // The factory settings: the head with no parameter after it.
  if (controlId == IDC_E42_FACTORY) return Transmission{{BareHead()}};
  return ParameterButtonPress(kButtons, controlId);
}
