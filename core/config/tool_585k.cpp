#include "config/tool_585k.h"

#include <string>
#include <vector>

#include "config/config_command.h"
#include "config/distance_entry.h"
#include "config/parameter_buttons.h"
#include "config/tool_585k_ids.h"

namespace {

using namespace config;

// Parameter codes of this printer alone.
constexpr std::uint8_t kStarEmulation = 0x04;
constexpr std::uint8_t kBidirectionalAdjust = 0x08;

constexpr int kAdjustSteps = 16;

constexpr ParameterButton kButtons[] = {
    {IDC_585K_GRAPHICS_TWO_WAY, kGraphicsDirection, 0x01},
    {IDC_585K_GRAPHICS_ONE_WAY, kGraphicsDirection, 0x00},
    {IDC_585K_CUTTER_ON, kCutter, 0x01},
    {IDC_585K_CUTTER_OFF, kCutter, 0x00},
    {IDC_585K_WIDTH_76MM, kPaperWidth, 0x00},
    {IDC_585K_WIDTH_57MM, kPaperWidth, 0x01},
    {IDC_585K_BLACK_MARK_ON, kBlackMark, 0x01},
    {IDC_585K_BLACK_MARK_OFF, kBlackMark, 0x00},
    {IDC_585K_CHINESE_TWO_WAY, kChineseDirection, 0x01},
    {IDC_585K_CHINESE_ONE_WAY, kChineseDirection, 0x00},
    {IDC_585K_ESCPOS, kStarEmulation, 0x00},
    {IDC_585K_STAR, kStarEmulation, 0x01},
};

// The head, then the value the selected item shows (a decimal number) as a
// write of its own. Without a selection nothing is sent.
std::optional<Transmission> BidirectionalAdjust(Panel& panel) {
  const int index = panel.SelectedIndex(IDC_585K_ADJUST_LIST);
  if (index < 0) return std::nullopt;
  const double value = ParseDecimal(panel.ListItemText(IDC_585K_ADJUST_LIST, index));
  return Transmission{{ParameterHead(kBidirectionalAdjust),
                       std::string(1, static_cast<char>(static_cast<std::uint8_t>(value)))}};
}

}  // namespace

void Tool585k::OnInit(Panel& panel) {
  std::vector<std::string> items;
  for (int n = 0; n < kAdjustSteps; ++n) items.push_back(std::to_string(n));
  panel.FillList(IDC_585K_ADJUST_LIST, items);
  panel.SelectItem(IDC_585K_ADJUST_LIST, 0);
}

std::optional<Transmission> Tool585k::RunsFor(Panel& panel, int controlId) {
  if (controlId == IDC_585K_ADJUST) return BidirectionalAdjust(panel);
  return ParameterButtonPress(kButtons, controlId);
}
