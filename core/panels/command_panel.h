#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/panel.h"

class PrinterLink;

// The runs of one button press: each run is one write, the whole list is
// written `copies` times in a row (none when negative), then the link is
// reset once, or after each copy when `resetEachCopy` is set (and then not
// at all when no copy is written).
struct Transmission {
  std::vector<std::string> runs;
  std::int32_t copies = 1;
  bool resetEachCopy = false;
};

// Writes one press whole under one hold of the link.
void SendTransmission(PrinterLink& link, const Transmission& transmission);

// Behaviour every printing panel shares: the four interface radio buttons,
// the Close button (id 1) and sending a button's runs. A panel supplies the
// runs for its own buttons; returning nothing (an empty list, a refused
// entry) writes nothing and leaves the link as it is.
class CommandPanel : public PanelLogic {
 public:
  explicit CommandPanel(PrinterLink& link) : link_(link) {}
  void OnCommand(Panel& panel, int controlId) final;

 protected:
  // The runs for a button, or nothing for ids without an action.
  virtual std::optional<Transmission> RunsFor(Panel& panel, int controlId) = 0;
  PrinterLink& link() { return link_; }

 private:
  PrinterLink& link_;
};
