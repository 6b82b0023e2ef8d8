#pragma once

#include <string>
#include <vector>

#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "link/printer_link.h"
#include "support/hex.h"

// A command panel on a recording link with the serial port chosen: press a
// button, get back the runs it wrote.
template <typename PanelType>
struct PanelHarness {
  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;
  PanelType logic{link};

  PanelHarness() { logic.OnCommand(panel, kSerialRadioId); }

  std::vector<Bytes> Press(int id) {
    const std::size_t before = driver.AllRuns().size();
    const std::size_t eventsBefore = driver.events.size();
    logic.OnCommand(panel, id);
    std::vector<Bytes> all = driver.AllRuns();
    // Every button ends with one reset: the serial port closed and reopened.
    resetCount = 0;
    for (std::size_t i = eventsBefore; i + 1 < driver.events.size(); ++i)
      resetCount += driver.events[i] == "close serial:com1" && driver.events[i + 1] == "open serial:com1";
    return std::vector<Bytes>(all.begin() + static_cast<long>(before), all.end());
  }

  int resetCount = 0;
};

inline std::size_t TotalBytes(const std::vector<Bytes>& runs) {
  std::size_t n = 0;
  for (const Bytes& r : runs) n += r.size();
  return n;
}
