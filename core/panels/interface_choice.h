#pragma once

#include <optional>

#include "link/port_kind.h"
#include "ui/panel.h"

class PrinterLink;
struct SerialSettings;

// An interface radio button clicked: asks "您的打印机接口是…？" (OK and
// Cancel both select), marks the button and selects the interface on the
// link. A network printer without an address is not connected: the panel
// says where to set it and the marks go back to the interface in use.
void ChooseInterface(Panel& panel, PrinterLink& link, PortKind kind);

// The interface a radio button stands for; none for any other control.
std::optional<PortKind> InterfaceOfRadio(int controlId);

// Marks the radio button of `kind` and clears the other three; none when
// there is no interface.
void ShowInterface(Panel& panel, std::optional<PortKind> kind);

// False, after telling the user where to set it, when no network printer
// address is set.
bool NetworkPrinterIsSet(Panel& panel, const SerialSettings& settings);
