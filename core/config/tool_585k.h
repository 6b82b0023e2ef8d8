#pragma once

#include "panels/command_panel.h"

// Settings tool of the 585K and 585KC printers: one parameter frame per
// button, and the bidirectional print adjustment 0 to 15 from a list.
class Tool585k : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;
  void OnInit(Panel& panel) override;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
