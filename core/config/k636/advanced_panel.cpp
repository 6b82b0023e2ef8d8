#include "config/k636/advanced_panel.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "config/config_command.h"
#include "config/distance_entry.h"
#include "config/k636/k636_ids.h"
#include "config/k636/refusal.h"
#include "config/k636/setting_runs.h"
#include "panels/field_readers.h"

namespace k636 {

namespace {

// A yes/no button: the frame of each checked choice, first then second.
// The second choice sends the other value of the two, 00 and 01.
struct SwitchButton {
  int button, first, second;
  std::uint8_t code, firstValue;
};

// "是" sends 00 except for the codes 0E, 10, 12 and 13.
// clang-format off
constexpr SwitchButton kSwitches[] = {
    {IDC_ADV_NO_PAGE_LENGTH, IDC_ADV_NO_PAGE_LENGTH_YES, IDC_ADV_NO_PAGE_LENGTH_NO, kNoPageLengthCode, 0x01},
    {IDC_ADV_SKIP_PERFORATION, IDC_ADV_SKIP_PERFORATION_YES, IDC_ADV_SKIP_PERFORATION_NO, kSkipPerforationCode, 0x01},
    {IDC_ADV_TEAR_OFF, IDC_ADV_TEAR_OFF_YES, IDC_ADV_TEAR_OFF_NO, kTearOffCode, 0x01},
    {IDC_ADV_COMPRESSED, IDC_ADV_COMPRESSED_YES, IDC_ADV_COMPRESSED_NO, 0x12, 0x01},
    {IDC_ADV_CHINESE, IDC_ADV_CHINESE_YES, IDC_ADV_CHINESE_NO, 0x01, 0x00},
    {IDC_ADV_FAST, IDC_ADV_FAST_YES, IDC_ADV_FAST_NO, 0x02, 0x00},
    {IDC_ADV_CURRENCY, IDC_ADV_CURRENCY_YES, IDC_ADV_CURRENCY_NO, 0x0B, 0x00},
    {IDC_ADV_GRAPHICS_BIDI, IDC_ADV_GRAPHICS_BIDI_YES, IDC_ADV_GRAPHICS_BIDI_NO, 0x05, 0x00},
    {IDC_ADV_HALF_WIDTH_NORMAL, IDC_ADV_HALF_WIDTH_NORMAL_YES, IDC_ADV_HALF_WIDTH_NORMAL_NO, 0x0F, 0x00},
    {IDC_ADV_SINGLE_PASS, IDC_ADV_SINGLE_PASS_YES, IDC_ADV_SINGLE_PASS_NO, 0x07, 0x00},
    {IDC_ADV_PANEL_KEYS, IDC_ADV_PANEL_KEYS_YES, IDC_ADV_PANEL_KEYS_NO, 0x08, 0x00},
    {IDC_ADV_SLASHED_ZERO, IDC_ADV_SLASHED_ZERO_YES, IDC_ADV_SLASHED_ZERO_NO, 0x09, 0x00},
    {IDC_ADV_DOUBLE_HEIGHT_BIDI, IDC_ADV_DOUBLE_HEIGHT_BIDI_YES, IDC_ADV_DOUBLE_HEIGHT_BIDI_NO, 0x0A, 0x00},
    {IDC_ADV_KANJI_HALF_WIDTH, IDC_ADV_KANJI_HALF_WIDTH_YES, IDC_ADV_KANJI_HALF_WIDTH_NO, 0x06, 0x00},
    {IDC_ADV_SINGLE_PLY, IDC_ADV_SINGLE_PLY_YES, IDC_ADV_SINGLE_PLY_NO, 0x0D, 0x00},
    {IDC_ADV_LINE_SPACING, IDC_ADV_LINE_SPACING_SIXTH, IDC_ADV_LINE_SPACING_EIGHTH, 0x03, 0x00},
    {IDC_ADV_SHEET_FRONT_EXIT, IDC_ADV_SHEET_FRONT_EXIT_YES, IDC_ADV_SHEET_FRONT_EXIT_NO, 0x0C, 0x00},
};
// clang-format on

// Graphics adjustment modes, in the order their frames go out.
struct PrintMode {
  int radio;
  std::uint8_t mode;
};
constexpr PrintMode kPrintModes[] = {
    {IDC_ADV_MODE_NORMAL_120, 0x03},
    {IDC_ADV_MODE_NORMAL_180, 0x01},
    {IDC_ADV_MODE_NORMAL_360, 0x00},
    {IDC_ADV_MODE_FAST_180, 0x02},
    {IDC_ADV_MODE_NORMAL_COMPRESSED_180, 0x04},
    {IDC_ADV_MODE_FAST_COMPRESSED_180, 0x05},
};

// Baud rate codes by list index: 4800, 9600, 19200, 38400.
constexpr std::uint8_t kBaudCodes[] = {0x03, 0x00, 0x01, 0x02};

constexpr std::uint8_t kSpacingCode = 0x04;
constexpr std::uint8_t kBaudCode = 0x11;
constexpr std::uint8_t kSheetDelayCode = 0x1A;

Transmission Switch(Panel& panel, const SwitchButton& s) {
  Transmission t;
  if (panel.IsChecked(s.first)) SendSetting(t, s.code, s.firstValue);
  if (panel.IsChecked(s.second)) SendSetting(t, s.code, static_cast<std::uint8_t>(s.firstValue ^ 0x01));
  return t;
}

// Each distance the checked boxes ask for; refused whole when the entry
// cannot be carried.
struct DistanceTarget {
  int check;
  DistanceCodes codes;
};
std::optional<Transmission> Distances(Panel& panel, int editId,
                                      std::initializer_list<DistanceTarget> targets) {
  const float millimetres = config::ReadDistanceEntry(panel, editId);
  Transmission t;
  for (const DistanceTarget& target : targets)
    if (panel.IsChecked(target.check) && !SendDistancePair(t, target.codes, millimetres))
      return Refuse(panel, Refusal::InvalidEntry);
  return t;
}

std::optional<Transmission> Distance(Panel& panel, int editId, DistanceCodes codes, bool backward = false) {
  Transmission t;
  if (!SendDistancePair(t, codes, config::ReadDistanceEntry(panel, editId), backward))
    return Refuse(panel, Refusal::InvalidEntry);
  return t;
}

// Character spacing in 1/360 inch, one byte; the whole entry is checked.
std::optional<Transmission> Spacing(Panel& panel) {
  const double spacing = std::trunc(config::ParseDecimal(panel.ItemText(IDC_ADV_SPACING_EDIT)));
  if (!(spacing >= 0 && spacing <= 255)) {
    panel.ShowMessage("０~２５５之间的整数", "提醒", MessageButtons::OkCancel);
    return std::nullopt;
  }
  Transmission t;
  SendSettingValue(t, kSpacingCode, static_cast<std::uint8_t>(spacing));
  return t;
}

std::optional<Transmission> BaudRate(Panel& panel) {
  const int index = panel.SelectedIndex(IDC_ADV_BAUD_LIST);
  if (index < 0 || index >= static_cast<int>(std::size(kBaudCodes))) return std::nullopt;
  Transmission t;
  SendSetting(t, kBaudCode, kBaudCodes[index]);
  return t;
}

std::optional<Transmission> SheetDelay(Panel& panel) {
  const int seconds = panel.SelectedIndex(IDC_ADV_SHEET_DELAY_LIST);
  if (seconds < 0) return std::nullopt;
  Transmission t;
  SendSettingValue(t, kSheetDelayCode, static_cast<std::uint8_t>(seconds));
  return t;
}

// A head for each checked print mode, then the adjustment byte, which goes
// out alone when no mode is checked.
std::optional<Transmission> GraphicsAdjustment(Panel& panel) {
  const int index = panel.SelectedIndex(IDC_ADV_GRAPHICS_ADJUST_LIST);
  if (index < 0) return std::nullopt;
  const std::uint8_t value = ParseHexByte(panel.ListItemText(IDC_ADV_GRAPHICS_ADJUST_LIST, index));
  Transmission t;
  for (const PrintMode& m : kPrintModes)
    if (panel.IsChecked(m.radio)) t.runs.push_back(config::GraphicsHead(m.mode));
  t.runs.push_back(std::string(1, static_cast<char>(value)));
  return t;
}

// Factory settings, then page length valid and the continuous-paper load
// distance of 50 mm.
Transmission FactoryDefaults() {
  Transmission t;
  t.runs.push_back(config::FactoryDefaultFrame());
  SendSetting(t, kNoPageLengthCode, 0x00);
  SendStepPair(t, kContinuousLoad, 708);
  return t;
}

}  // namespace

void AdvancedPanel::OnInit(Panel& panel) {
  panel.SetItemText(IDC_ADV_LOAD_EDIT, "50.00");
  panel.SetItemText(IDC_ADV_PAGE_FEED_EDIT, "40.00");
  panel.SetItemText(IDC_ADV_LENGTH_ERROR_EDIT, "00.00");
  panel.SetItemText(IDC_ADV_LEFT_MARGIN_EDIT, "10.00");
  panel.SetItemText(IDC_ADV_SPACING_EDIT, "0~255");
  for (int id : {IDC_ADV_LOAD_CONTINUOUS, IDC_ADV_LENGTH_ERROR_FORWARD, IDC_ADV_NO_PAGE_LENGTH_NO,
                 IDC_ADV_SKIP_PERFORATION_YES, IDC_ADV_COMPRESSED_NO, IDC_ADV_TEAR_OFF_YES,
                 IDC_ADV_PAGE_FEED_FORWARD, IDC_ADV_PAGE_FEED_BACKWARD})
    panel.SetChecked(id, true);
  panel.FillList(IDC_ADV_GRAPHICS_ADJUST_LIST, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  panel.SelectItem(IDC_ADV_GRAPHICS_ADJUST_LIST, 0);
  panel.FillList(IDC_ADV_BAUD_LIST, {"4800", "9600", "19200", "38400"});
  panel.SelectItem(IDC_ADV_BAUD_LIST, 2);
  panel.FillList(IDC_ADV_SHEET_DELAY_LIST, {"0", "1", "2", "3", "4", "5"});
  panel.SelectItem(IDC_ADV_SHEET_DELAY_LIST, 1);
}

std::optional<Transmission> AdvancedPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_ADV_LOAD:
      return Distances(panel, IDC_ADV_LOAD_EDIT,
                       {{IDC_ADV_LOAD_SHEET, kSheetLoad}, {IDC_ADV_LOAD_CONTINUOUS, kContinuousLoad}});
    case IDC_ADV_PAGE_FEED:
      return Distances(
          panel, IDC_ADV_PAGE_FEED_EDIT,
          {{IDC_ADV_PAGE_FEED_FORWARD, kPageFeedForward}, {IDC_ADV_PAGE_FEED_BACKWARD, kPageFeedBackward}});
    case IDC_ADV_LENGTH_ERROR:
      return Distance(panel, IDC_ADV_LENGTH_ERROR_EDIT, kPageLengthError,
                      panel.IsChecked(IDC_ADV_LENGTH_ERROR_BACKWARD));
    case IDC_ADV_LEFT_MARGIN:
      return Distance(panel, IDC_ADV_LEFT_MARGIN_EDIT, kLeftMargin);
    case IDC_ADV_SPACING:
      return Spacing(panel);
    case IDC_ADV_BAUD:
      return BaudRate(panel);
    case IDC_ADV_SHEET_DELAY:
      return SheetDelay(panel);
    case IDC_ADV_GRAPHICS_ADJUST:
      return GraphicsAdjustment(panel);
    case IDC_ADV_FACTORY_DEFAULTS:
      return FactoryDefaults();
    default:
      for (const SwitchButton& s : kSwitches)
        if (s.button == controlId) return Switch(panel, s);
      return std::nullopt;
  }
}

}  // namespace k636
