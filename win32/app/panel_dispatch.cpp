#include "app/panel_dispatch.h"

#include <memory>

#include "app_ids.h"
#include "config/k636/advanced_panel.h"
#include "config/k636/fanfold_panel.h"
#include "config/k636/roll_panel.h"
#include "config/k636/single_sheet_panel.h"
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
    {IDM_636K_ADVANCED, IDD_636K_ADVANCED, true, Make<k636::AdvancedPanel>},
    {IDM_636K_SINGLE_SHEET, IDD_636K_SINGLE_SHEET, true, Make<k636::SingleSheetPanel>},
    {IDM_636K_ROLL, IDD_636K_ROLL, true, Make<k636::RollPanel>},
    {IDM_636K_FANFOLD, IDD_636K_FANFOLD, true, Make<k636::FanfoldPanel>},
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
