#pragma once

#include "panels/command_panel.h"

// Settings tool of the 515K and 515KB printers: one parameter frame per
// button, and each variant's defaults as eight frames in one write.
class Tool515k : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
