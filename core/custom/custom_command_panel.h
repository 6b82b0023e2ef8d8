#pragma once

#include "custom/file_reader.h"
#include "link/port_kind.h"
#include "ui/panel.h"

class PrinterLink;

// The custom command panel: a typed hexadecimal command, optionally after
// the contents of a chosen file, sent through the port its button names.
// It has no interface radio buttons and does not reset the link.
class CustomCommandPanel : public PanelLogic {
 public:
  CustomCommandPanel(PrinterLink& link, FileReader& files) : link_(link), files_(files) {}
  void OnCommand(Panel& panel, int controlId) override;

 private:
  static void ShowReferenceLists(Panel& panel);
  void ChooseFile(Panel& panel);
  void Send(Panel& panel, PortKind kind);

  PrinterLink& link_;
  FileReader& files_;
};
