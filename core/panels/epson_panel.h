#pragma once

#include "panels/command_panel.h"

// The EPSON mode panel: ESC/POS character modes, feeds, cuts, black mark,
// cash drawer, bar code, a downloaded bit image and an ESC/P picture.
class EpsonPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
