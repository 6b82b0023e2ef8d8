#pragma once

#include "panels/command_panel.h"

namespace k636 {

// The 636K fanfold quick setup: restore the fanfold defaults, then set the
// load distance, page-length adjustment and page feed from two printed
// invoices measured.
class FanfoldPanel : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};

}  // namespace k636
