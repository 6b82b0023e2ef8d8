#include "app/panel_dispatch.h"

#include <chrono>
#include <memory>

#include "app_ids.h"
#include "link/printer_link.h"
#include "link/win32_port_driver.h"
#include "panels/epson_panel.h"
#include "perf/aging_worker.h"
#include "perf/performance_panel.h"
#include "perf/resource_sample_store.h"
#include "ui/dialog_runner.h"

namespace {

// The process-wide printer link and its settings.
Win32PortDriver portDriver;
SerialSettings serialSettings;
PrinterLink printerLink(portDriver, serialSettings);

// The aging run belongs to the process and outlives the panel that starts
// it. Defined after the link, it is destroyed first: at exit the run is
// stopped and joined before the link goes away. A write that still has not
// returned after a few seconds (a printer that takes nothing) would hang
// the exit, so the process then ends at once.
struct ProcessAgingWorker {
  AgingWorker worker{printerLink};
  ~ProcessAgingWorker() {
    if (!worker.StopWithin(std::chrono::seconds(5))) TerminateProcess(GetCurrentProcess(), 0);
  }
} aging;

template <typename Logic>
std::unique_ptr<PanelLogic> Make() {
  return std::make_unique<Logic>(printerLink);
}

std::unique_ptr<PanelLogic> MakePerformancePanel() {
  return std::make_unique<PerformancePanel>(printerLink, SampleJobsFromResources(), aging.worker);
}

struct PanelEntry {
  int command;
  int templateId;
  bool ownedByMainWindow;  // command-set test panels run without owner
  std::unique_ptr<PanelLogic> (*make)();
};

const PanelEntry kPanels[] = {
    {IDM_EPSON_MODE, IDD_EPSON, false, Make<EpsonPanel>},
    {IDM_PERFORMANCE, IDD_PERFORMANCE, true, MakePerformancePanel},
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
