#include "panels/command_panel.h"

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
  PrinterLink::PressHold hold(link);
  for (std::int32_t copy = 0; copy < transmission.copies; ++copy) {
    for (const std::string& run : transmission.runs) link.SendBytes(run);
    if (transmission.resetEachCopy) link.ResetAfterSend();
  }
  if (!transmission.resetEachCopy) link.ResetAfterSend();
}
