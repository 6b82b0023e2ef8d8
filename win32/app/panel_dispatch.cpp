#include "app/panel_dispatch.h"

#include <memory>

#include "app_ids.h"
#include "link/printer_link.h"
#include "link/win32_port_driver.h"
#include "panels/epson_panel.h"
#include "panels/escpos_panel.h"
#include "panels/star18_panel.h"
#include "panels/star9_panel.h"
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
    {IDM_636K_TEST, IDD_636K_TEST, false, Make<EscPosPanel>},
    {IDM_STAR_9PIN, IDD_STAR_9PIN, false, Make<Star9Panel>},
    {IDM_STAR_18PIN, IDD_STAR_18PIN, false, Make<Star18Panel>},
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
