#pragma once

#include "panels/command_panel.h"

namespace k636 {

// The 636K single-sheet quick setup: restore the single-sheet defaults, then
// move the first printed line by the measured difference.
class SingleSheetPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};

}  // namespace k636
