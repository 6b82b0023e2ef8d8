#pragma once

#include "panels/command_panel.h"

namespace k636 {

// The 636K advanced settings: one stored setting per button, distances in
// millimetres, and the factory settings.
class AdvancedPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;
  void OnInit(Panel& panel) override;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};

}  // namespace k636
