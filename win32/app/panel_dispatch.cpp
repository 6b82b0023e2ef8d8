#include "app/panel_dispatch.h"

#include <memory>

#include "app_ids.h"
#include "config/tool_416kc.h"
#include "config/tool_515k.h"
#include "config/tool_585k.h"
#include "config/tool_e42.h"
#include "link/printer_link.h"
#include "link/win32_port_driver.h"
#include "panels/epson_panel.h"
#include "ui/dialog_runner.h"

namespace {

// The process-wide printer link and its settings.
Win32PortDriver portDriver;
SerialSettings serialSettings;
PrinterLink printerLink(portDriver, serialSettings);

template <typename Logic>
std::unique_ptr<PanelLogic> Make() {
  return std::make_unique<Logic>(printerLink);
}

struct PanelEntry {
  int command;
  int templateId;
  bool ownedByMainWindow;  // command-set test panels run without owner
  std::unique_ptr<PanelLogic> (*make)();
};

const PanelEntry kPanels[] = {
    {IDM_EPSON_MODE, IDD_EPSON, false, Make<EpsonPanel>},
    {IDM_416KC, IDD_416KC, true, Make<Tool416kc>},
    {IDM_515K, IDD_515K, true, Make<Tool515k>},
    {IDM_585K, IDD_585K, true, Make<Tool585k>},
    {IDM_E42, IDD_E42, true, Make<ToolE42>},
};

}  // namespace

bool RunPanelForCommand(HINSTANCE instance, HWND mainWindow, int commandId) {
  for (const PanelEntry& entry : kPanels) {
    if (entry.command != commandId) continue;
    std::unique_ptr<PanelLogic> logic = entry.make();
    RunPanelDialog(instance, entry.templateId, entry.ownedByMainWindow ? mainWindow : nullptr, *logic);
    return true;
  }
  return false;
}
