#pragma once

#include "ui/panel.h"

class PrinterLink;

// The printer status dialog: the interface radio buttons as on every
// printing panel, 查询 asks the printer on the interface in use for its
// status and identity and lists what it said, 关闭 closes the connections
// like the other panels.
class StatusPanel : public PanelLogic {
 public:
  explicit StatusPanel(PrinterLink& link) : link_(link) {}
  void OnInit(Panel& panel) override;
  void OnCommand(Panel& panel, int controlId) override;

 private:
  void Query(Panel& panel);
  PrinterLink& link_;
};
