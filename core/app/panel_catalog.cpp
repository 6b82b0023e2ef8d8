#include "app/panel_catalog.h"

#include "app_ids.h"
#include "custom/custom_command_panel.h"
#include "link/port_settings_panel.h"
#include "panels/epson_panel.h"
#include "panels/escpos_panel.h"
#include "panels/star18_panel.h"
#include "panels/star9_panel.h"

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
    {IDM_EPSON_MODE, IDD_EPSON, kNoOwner, MakePanel<EpsonPanel>},
    {IDM_STAR_9PIN, IDD_STAR_9PIN, kNoOwner, MakePanel<Star9Panel>},
    {IDM_STAR_18PIN, IDD_STAR_18PIN, kNoOwner, MakePanel<Star18Panel>},
    {IDM_636K_TEST, IDD_636K_TEST, kNoOwner, MakePanel<EscPosPanel>},
    {IDM_PORT_SETTINGS, IDD_PORT_SETTINGS, kMainWindow, MakePortSettings},
    {IDM_CUSTOM_COMMAND, IDD_CUSTOM_COMMAND, kMainWindow, MakeCustomCommand},
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
