#include "config/k636/fanfold_panel.h"

#include <cmath>

#include "config/config_command.h"
#include "config/distance_entry.h"
#include "config/k636/k636_ids.h"
#include "config/k636/refusal.h"
#include "config/k636/setting_runs.h"

namespace k636 {

namespace {

// Factory settings; page length valid; skip perforation; continuous load
// 709 steps (printers rely on it); tear-off on; no page feed either way.
Transmission RestoreDefaults() {
  Transmission t;
  t.runs.push_back(config::FactoryDefaultFrame());
  SendSetting(t, kNoPageLengthCode, 0x00);
  SendSetting(t, kSkipPerforationCode, 0x01);
  SendStepPair(t, kContinuousLoad, 709);
  SendSetting(t, kTearOffCode, 0x01);
  for (std::uint8_t code :
       {kPageFeedForward.high, kPageFeedForward.low, kPageFeedBackward.high, kPageFeedBackward.low})
    SendSetting(t, code, 0x00);
  return t;
}

// From the invoice length L, the wanted first line P and the measured first
// lines L1 and L2 of two consecutive invoices. Every value is checked before
// any goes out, so a refused press leaves the printer as it was.
std::optional<Transmission> Measure(Panel& panel) {
  const float length = config::ReadDistanceEntry(panel, IDC_FANFOLD_LENGTH_EDIT);
  const float wanted = config::ReadDistanceEntry(panel, IDC_FANFOLD_WANTED_EDIT);
  const float page1 = config::ReadDistanceEntry(panel, IDC_FANFOLD_PAGE1_EDIT);
  const float page2 = config::ReadDistanceEntry(panel, IDC_FANFOLD_PAGE2_EDIT);
  for (float entry : {length, wanted, page1, page2})
    if (!std::isfinite(entry)) return Refuse(panel, Refusal::InvalidMeasurement);

  // Each summed in double precision, then narrowed as every distance is.
  const auto load = static_cast<float>((wanted + 50.0) - page1);
  const auto error = static_cast<float>((static_cast<double>(page2) - page1) - length);
  const auto feed = static_cast<float>((46.5 - wanted) + page1);
  if (load < 0 || feed < 0) return Refuse(panel, Refusal::DistanceTooSmall);

  // Pages printed farther apart than the invoice is long are corrected
  // backward (bit 7 set), a zero error included.
  const bool backward = error >= 0;
  Transmission t;
  if (!SendDistancePair(t, kContinuousLoad, load) ||
      !SendDistancePair(t, kPageLengthError, backward ? error : -error, backward) ||
      !SendDistancePair(t, kPageFeedForward, feed) || !SendDistancePair(t, kPageFeedBackward, feed))
    return Refuse(panel, Refusal::InvalidMeasurement);
  return t;
}

}  // namespace

std::optional<Transmission> FanfoldPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_QUICK_RESTORE:
      return RestoreDefaults();
    case IDC_QUICK_ADJUST:
      return Measure(panel);
    default:
      return std::nullopt;
  }
}

}  // namespace k636
