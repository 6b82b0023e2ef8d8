#pragma once

#include "panels/command_panel.h"

// The STAR 9-pin panel: feeds and line spacing, receipts and cuts, user
// text, double width, underline, the cash drawer and a downloaded bit image.
class Star9Panel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
