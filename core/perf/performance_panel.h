#pragma once

#include "app/panel_catalog.h"
#include "panels/command_panel.h"

// The performance test panel: speed and character-set tests, head
// alignment, full lines, stored driver, full-black and customer jobs, and
// the aging run. The aging run belongs to the process and outlives the
// panel; the panel only starts and stops it.
class PerformancePanel : public CommandPanel {
 public:
  explicit PerformancePanel(PanelServices& services);
  void OnInit(Panel& panel) override;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;

 private:
  void SendPrinterTypeJob(Panel& panel, bool fullBlack);
  std::optional<Transmission> PrintCustomerData(Panel& panel);

  const SampleStore& jobs_;
  AgingWorker& aging_;
};

// Customer group `index` (check box 1135 + index, list 1130 + index) turned
// on or off: its list follows its check box; the other three groups are
// unchecked with their lists disabled, and their check boxes are locked
// while one group is on.
void SyncCustomerGroup(Panel& panel, int index, bool on);
