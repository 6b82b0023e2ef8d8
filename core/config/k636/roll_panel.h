#pragma once

#include "panels/command_panel.h"

namespace k636 {

// The 636K roll-paper quick setup: restore the roll-paper defaults, move the
// first printed line, and set how far the paper is fed out after printing.
class RollPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};

}  // namespace k636
