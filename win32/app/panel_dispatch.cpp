#include "app/panel_dispatch.h"

#include <memory>

#include "app_ids.h"
#include "custom/custom_command_panel.h"
#include "custom/reference_lists_panel.h"
#include "custom/win32_file_reader.h"
#include "link/port_settings_panel.h"
#include "link/printer_link.h"
#include "link/win32_port_driver.h"
#include "panels/epson_panel.h"
#include "ui/dialog_runner.h"

namespace {

// The process-wide printer link and its settings.
Win32PortDriver portDriver;
SerialSettings serialSettings;
PrinterLink printerLink(portDriver, serialSettings);
Win32FileReader userFiles;

template <typename Logic>
std::unique_ptr<PanelLogic> Make() {
  return std::make_unique<Logic>(printerLink);
}

std::unique_ptr<PanelLogic> MakePortSettings() { return std::make_unique<PortSettingsPanel>(serialSettings); }

// The reference lists run without owner, so the sender stays usable.
void ShowReferenceLists() {
  ReferenceListsPanel lists;
  RunPanelDialog(GetModuleHandleW(nullptr), IDD_REFERENCE_LISTS, nullptr, lists);
}

std::unique_ptr<PanelLogic> MakeCustomCommand() {
  return std::make_unique<CustomCommandPanel>(printerLink, userFiles, ShowReferenceLists);
}

struct PanelEntry {
  int command;
  int templateId;
  bool ownedByMainWindow;  // command-set test panels run without owner
  std::unique_ptr<PanelLogic> (*make)();
};

const PanelEntry kPanels[] = {
    {IDM_PORT_SETTINGS, IDD_PORT_SETTINGS, true, MakePortSettings},
    {IDM_EPSON_MODE, IDD_EPSON, false, Make<EpsonPanel>},
    {IDM_CUSTOM_COMMAND, IDD_CUSTOM_COMMAND, true, MakeCustomCommand},
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
