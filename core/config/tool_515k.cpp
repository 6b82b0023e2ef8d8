#include "config/tool_515k.h"

#include "config/config_command.h"
#include "config/parameter_buttons.h"
#include "config/tool_515k_ids.h"

namespace {

using namespace config;

// Parameter codes of this printer alone.
constexpr std::uint8_t kTwoColour = 0x04;
constexpr std::uint8_t kStarCommands = 0x10;
constexpr std::uint8_t kModel515kb = 0x11;
constexpr std::uint8_t kMechanismHt24 = 0x12;

constexpr ParameterButton kButtons[] = {
    {IDC_515K_BLACK_MARK_ON, kBlackMark, 0x01},
    {IDC_515K_BLACK_MARK_OFF, kBlackMark, 0x00},
    {IDC_515K_CHINESE_ONE_WAY, kChineseDirection, 0x00},
    {IDC_515K_CHINESE_TWO_WAY, kChineseDirection, 0x01},
    {IDC_515K_WIDTH_76MM, kPaperWidth, 0x00},
    {IDC_515K_WIDTH_57MM, kPaperWidth, 0x01},
    {IDC_515K_CUTTER_ON, kCutter, 0x01},
    {IDC_515K_CUTTER_OFF, kCutter, 0x00},
    {IDC_515K_ESCP, kStarCommands, 0x00},
    {IDC_515K_STAR, kStarCommands, 0x01},
    {IDC_515K_GRAPHICS_TWO_WAY, kGraphicsDirection, 0x01},
    {IDC_515K_GRAPHICS_ONE_WAY, kGraphicsDirection, 0x00},
    {IDC_515K_TWO_COLOUR_ON, kTwoColour, 0x01},
    {IDC_515K_TWO_COLOUR_OFF, kTwoColour, 0x00},
    {IDC_515K_MODEL_515K, kModel515kb, 0x00},
    {IDC_515K_MODEL_515KB, kModel515kb, 0x01},
    {IDC_515K_MECHANISM_SHANGYI, kMechanismHt24, 0x00},
    {IDC_515K_MECHANISM_HT24, kMechanismHt24, 0x01},
};

// A variant's defaults: eight frames back to back in one write, leaving the
// mechanism as it is. The 515KB sequence carries function byte 01 in its
// Chinese direction frame, as those printers have always received it.
Transmission Defaults(bool variantB) {
  const std::uint8_t b = variantB ? 0x01 : 0x00;
  return {{ParameterFrame(kGraphicsDirection, 0x01) + ParameterFrame(kCutter, b) +
           ParameterFrame(kTwoColour, b) + ParameterFrame(kPaperWidth, 0x00) +
           ParameterFrame(kBlackMark, 0x00) + ParameterFrame(kChineseDirection, 0x01, b) +
           ParameterFrame(kStarCommands, 0x00) + ParameterFrame(kModel515kb, b)}};
}

}  // namespace

std::optional<Transmission> Tool515k::RunsFor(Panel&, int controlId) {
  switch (controlId) {
    case IDC_515K_DEFAULTS_515K: return Defaults(false);
    case IDC_515K_DEFAULTS_515KB: return Defaults(true);
    default: return ParameterButtonPress(kButtons, controlId);
  }
}
