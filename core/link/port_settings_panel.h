#pragma once

#include "link/serial_settings.h"
#include "ui/panel.h"

// The port settings dialog: shows the stored settings, stores the edited
// ones at 确定, fills in the defaults at 默认 and offers the system's own
// dialog for the stored serial port at 高级. 取消 and Esc store nothing.
class PortSettingsPanel : public PanelLogic {
 public:
  explicit PortSettingsPanel(SerialSettings& settings) : settings_(settings) {}
  void OnInit(Panel& panel) override;
  void OnCommand(Panel& panel, int controlId) override;

 private:
  SerialSettings& settings_;
};
