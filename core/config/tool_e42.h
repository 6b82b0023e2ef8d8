#pragma once

#include "panels/command_panel.h"

// Settings tool of the E42-300NC printer: one parameter frame per button,
// and the bare head for the factory settings.
class ToolE42 : public CommandPanel {
 public:
  using CommandPanel::CommandPanel;

 protected:
  std::optional<Transmission> RunsFor(Panel& panel, int controlId) override;
};
