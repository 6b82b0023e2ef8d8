#pragma once

#include "panels/command_panel.h"

// The ESC/POS test panel of the 636K dot-matrix printer: character modes and
// effects, print direction, speed and compressed printing, feeds, the cash
// drawer, a 24-dot bit image and bar codes.
class EscPosPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
