#include "config/k636/single_sheet_panel.h"

#include "config/config_command.h"
#include "config/k636/first_line.h"
#include "config/k636/k636_ids.h"
#include "config/k636/setting_runs.h"

namespace k636 {

namespace {

// The load distance the restore leaves and the adjustment starts from.
constexpr double kBaseMillimetres = 40.0;
constexpr std::uint16_t kBaseSteps = 566;  // 40 mm, truncated

Transmission RestoreDefaults() {
  Transmission t;
  t.runs.push_back(config::FactoryDefaultFrame());
  SendStepPair(t, kSheetLoad, kBaseSteps);
  return t;
}

}  // namespace

std::optional<Transmission> SingleSheetPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_QUICK_RESTORE:
      return RestoreDefaults();
    case IDC_QUICK_ADJUST:
      return AdjustFirstLine(panel, kBaseMillimetres, kSheetLoad);
    default:
      return std::nullopt;
  }
}

}  // namespace k636
