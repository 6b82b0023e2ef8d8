#pragma once

#include "panels/command_panel.h"

// Settings tool of the 416KC and 428KC printers: paper width, cut position
// forward or back in 1/8 mm steps, and each model's factory settings.
class Tool416kc : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
