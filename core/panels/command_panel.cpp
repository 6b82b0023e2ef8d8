#include "panels/command_panel.h"

#include "link/printer_link.h"

namespace {
constexpr int kCloseButtonId = 1;
}

void CommandPanel::OnCommand(Panel& panel, int controlId) {
  switch (controlId) {
    case kSerialRadioId: link_.SelectPortKind(panel, PortKind::Serial); return;
    case kParallelRadioId: link_.SelectPortKind(panel, PortKind::Parallel); return;
    case kUsbRadioId: link_.SelectPortKind(panel, PortKind::Usb); return;
    case kCloseButtonId:
      link_.CloseAll();
      panel.EndDialog(0);
      return;
    default:
      if (std::optional<Transmission> t = RunsFor(panel, controlId)) SendTransmission(link_, *t);
  }
}

void SendTransmission(PrinterLink& link, const Transmission& transmission) {
  PrinterLink::PressHold hold(link);
  for (std::int32_t copy = 0; copy < transmission.copies; ++copy) {
    for (const std::string& run : transmission.runs) link.SendBytes(run);
    if (transmission.resetEachCopy) link.ResetAfterSend();
  }
  if (!transmission.resetEachCopy) link.ResetAfterSend();
}
