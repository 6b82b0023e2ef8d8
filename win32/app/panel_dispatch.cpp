#include "app/panel_dispatch.h"

#include <chrono>

#include "app/panel_catalog.h"
#include "custom/win32_file_reader.h"
#include "link/printer_link.h"
#include "link/message_box_reporter.h"
#include "link/win32_transport.h"
#include "perf/aging_worker.h"
#include "perf/resource_sample_store.h"
#include "ui/dialog_runner.h"
#include "ui/press_window.h"

namespace {

// The aging run outlives the panel that starts it. At exit it is stopped
// and joined; a write that has still not returned after a few seconds (a
// printer that takes nothing) would hang the exit, so the process then
// ends at once.
struct ProcessAgingWorker {
  explicit ProcessAgingWorker(PrinterLink& link) : worker(link) {}
  ~ProcessAgingWorker() {
    if (!worker.StopWithin(std::chrono::seconds(5))) TerminateProcess(GetCurrentProcess(), 0);
  }
  AgingWorker worker;
};

// The process-wide printer link, its settings, the stored print jobs, the
// user's files and the aging run. Statics end in reverse order: the run
// before the link.
PanelServices& Services() {
  static Win32Transport transport(Win32Transport::Options{.whileWaiting = PaintPendingWindows});
  static MessageBoxReporter reporter;
  static SerialSettings serialSettings;
  static PrinterLink printerLink(transport, reporter, serialSettings);
  static WindowPressRunner presses(GetModuleHandleW(nullptr), printerLink);
  static Win32FileReader userFiles;
  static ProcessAgingWorker aging(printerLink);
  static PanelServices services{serialSettings, printerLink, SampleJobsFromResources(), userFiles, aging.worker};
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
