#include "app/panel_dispatch.h"

#include "app/panel_catalog.h"
#include "custom/win32_file_reader.h"
#include "link/printer_link.h"
#include "link/win32_port_driver.h"
#include "perf/resource_sample_store.h"
#include "ui/dialog_runner.h"

namespace {

// The process-wide printer link, its settings, the stored print jobs and
// the user's files.
PanelServices& Services() {
  static Win32PortDriver portDriver;
  static SerialSettings serialSettings;
  static PrinterLink printerLink(portDriver, serialSettings);
  static Win32FileReader userFiles;
  static PanelServices services{portDriver, serialSettings, printerLink, SampleJobsFromResources(), userFiles};
  return services;
}

}  // namespace

bool RunPanelForCommand(HINSTANCE instance, HWND mainWindow, int commandId) {
  const PanelEntry* entry = FindPanelByCommand(commandId);
  if (entry == nullptr) return false;
  std::unique_ptr<PanelLogic> logic = entry->make(Services());
  RunPanelDialog(instance, entry->dialogId, entry->ownedByMainWindow ? mainWindow : nullptr, *logic);
  return true;
}
