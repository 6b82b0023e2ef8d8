#pragma once

#include "panels/command_panel.h"

// The STAR 18-pin panel: nine self-describing test pages (feeds, fonts,
// page layout, drawers, cuts, bit images, black mark, two character sets).
// It has no input fields.
class Star18Panel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
