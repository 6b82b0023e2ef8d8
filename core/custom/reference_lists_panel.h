#pragma once

#include "ui/panel.h"

// The command reference lists: filled afresh at every opening, nothing is
// ever sent, and only 确定 closes them.
class ReferenceListsPanel : public PanelLogic {
 public:
  void OnInit(Panel& panel) override;
  void OnCommand(Panel& panel, int controlId) override;
};
