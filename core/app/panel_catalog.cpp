#include "app/panel_catalog.h"

#include "app_ids.h"
#include "config/k636/advanced_panel.h"
#include "config/k636/fanfold_panel.h"
#include "config/k636/roll_panel.h"
#include "config/k636/single_sheet_panel.h"
#include "config/tool_416kc.h"
#include "config/tool_515k.h"
#include "config/tool_585k.h"
#include "config/tool_e42.h"
#include "custom/custom_command_panel.h"
#include "link/port_settings_panel.h"
#include "panels/epson_panel.h"
#include "panels/escpos_panel.h"
#include "panels/star18_panel.h"
#include "panels/star9_panel.h"
#include "perf/performance_panel.h"
#include "status/status_panel.h"

namespace {

constexpr bool kMainWindow = true;
constexpr bool kNoOwner = false;

std::unique_ptr<PanelLogic> MakePortSettings(PanelServices& services) {
  return std::make_unique<PortSettingsPanel>(services.settings);
}

std::unique_ptr<PanelLogic> MakeCustomCommand(PanelServices& services) {
  return std::make_unique<CustomCommandPanel>(services.link, services.files);
}

// One row per panel: menu command, dialog, owner, logic.
const PanelEntry kPanels[] = {
    {IDM_416KC, IDD_416KC, kMainWindow, MakePanel<Tool416kc>},
    {IDM_515K, IDD_515K, kMainWindow, MakePanel<Tool515k>},
    {IDM_585K, IDD_585K, kMainWindow, MakePanel<Tool585k>},
    {IDM_636K_SINGLE_SHEET, IDD_636K_SINGLE_SHEET, kMainWindow, MakePanel<k636::SingleSheetPanel>},
    {IDM_636K_ROLL, IDD_636K_ROLL, kMainWindow, MakePanel<k636::RollPanel>},
    {IDM_636K_FANFOLD, IDD_636K_FANFOLD, kMainWindow, MakePanel<k636::FanfoldPanel>},
    {IDM_636K_ADVANCED, IDD_636K_ADVANCED, kMainWindow, MakePanel<k636::AdvancedPanel>},
    {IDM_E42, IDD_E42, kMainWindow, MakePanel<ToolE42>},
    {IDM_PORT_SETTINGS, IDD_PORT_SETTINGS, kMainWindow, MakePortSettings},
    {IDM_PRINTER_STATUS, IDD_PRINTER_STATUS, kMainWindow, MakePanel<StatusPanel>},
    {IDM_EPSON_MODE, IDD_EPSON, kNoOwner, MakePanel<EpsonPanel>},
    {IDM_STAR_9PIN, IDD_STAR_9PIN, kNoOwner, MakePanel<Star9Panel>},
    {IDM_STAR_18PIN, IDD_STAR_18PIN, kNoOwner, MakePanel<Star18Panel>},
    {IDM_636K_TEST, IDD_636K_TEST, kNoOwner, MakePanel<EscPosPanel>},
    {IDM_CUSTOM_COMMAND, IDD_CUSTOM_COMMAND, kMainWindow, MakeCustomCommand},
    {IDM_PERFORMANCE, IDD_PERFORMANCE, kMainWindow, MakePanel<PerformancePanel>},
};

}  // namespace

std::span<const PanelEntry> PanelCatalog() { return kPanels; }

const PanelEntry* FindPanelByCommand(int command) {
  for (const PanelEntry& entry : kPanels)
    if (entry.command == command) return &entry;
  return nullptr;
}

const PanelEntry* FindPanelByDialog(int dialogId) {
  for (const PanelEntry& entry : kPanels)
    if (entry.dialogId == dialogId) return &entry;
  return nullptr;
}
