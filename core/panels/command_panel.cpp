#include "panels/command_panel.h"

#include <algorithm>

#include "link/press_runner.h"
#include "link/printer_link.h"
#include "panels/interface_choice.h"

namespace {
constexpr int kCloseButtonId = 1;
}

void CommandPanel::OnCommand(Panel& panel, int controlId) {
  if (const std::optional<PortKind> kind = InterfaceOfRadio(controlId)) {
    ChooseInterface(panel, link_, *kind);
    return;
  }
  switch (controlId) {
    case kCloseButtonId:
      link_.CloseAll();
      panel.EndDialog(0);
      return;
    default:
      if (std::optional<Transmission> t = RunsFor(panel, controlId)) SendTransmission(link_, *t);
  }
}

void SendTransmission(PrinterLink& link, const Transmission& transmission) {
  std::uint64_t copyBytes = 0;
  for (const std::string& run : transmission.runs) copyBytes += run.size();
  const std::uint64_t total = copyBytes * static_cast<std::uint64_t>(std::max(transmission.copies, 0));
  RunPress(link, total, [&](PressMonitor* monitor) {
    PrinterLink::PressHold hold(link, monitor);
    for (std::int32_t copy = 0; copy < transmission.copies; ++copy) {
      for (const std::string& run : transmission.runs) link.SendBytes(run);
      if (transmission.resetEachCopy) link.ResetAfterSend();
    }
    if (!transmission.resetEachCopy) link.ResetAfterSend();
  });
}
