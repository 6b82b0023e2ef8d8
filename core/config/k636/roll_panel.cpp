#include "config/k636/roll_panel.h"

#include "config/config_command.h"
#include "config/distance_entry.h"
#include "config/k636/first_line.h"
#include "config/k636/k636_ids.h"
#include "config/k636/refusal.h"
#include "config/k636/setting_runs.h"

namespace k636 {

namespace {

constexpr double kBaseMillimetres = 50.0;

// Factory settings; page length off; tear-off on; single-sheet load 709
// steps (printers rely on this value and these codes); page feed forward and
// page-length adjustment 708 steps (50 mm).
Transmission RestoreDefaults() {
  Transmission t;
  t.runs.push_back(config::FactoryDefaultFrame());
  SendSetting(t, kNoPageLengthCode, 0x01);
  SendSetting(t, kTearOffCode, 0x01);
  SendStepPair(t, kSheetLoad, 709);
  SendStepPair(t, kPageFeedForward, 708);
  SendStepPair(t, kPageLengthError, 708);
  return t;
}

// The same length fed forward and backward at a page change.
std::optional<Transmission> FeedOutLength(Panel& panel) {
  const float length = config::ReadDistanceEntry(panel, IDC_ROLL_FEED_OUT_EDIT);
  Transmission t;
  if (length < 0 || !SendDistancePair(t, kPageFeedForward, length) ||
      !SendDistancePair(t, kPageFeedBackward, length))
    return Refuse(panel, Refusal::InvalidEntry);
  return t;
}

}  // namespace

std::optional<Transmission> RollPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_QUICK_RESTORE:
      return RestoreDefaults();
    case IDC_QUICK_ADJUST:
      return AdjustFirstLine(panel, kBaseMillimetres, kContinuousLoad);
    case IDC_ROLL_FEED_OUT:
      return FeedOutLength(panel);
    default:
      return std::nullopt;
  }
}

}  // namespace k636
