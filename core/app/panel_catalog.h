#pragma once

#include <memory>
#include <span>
#include <type_traits>

#include "ui/panel.h"

class AgingWorker;
class FileReader;
class PrinterLink;
class SampleStore;
struct SerialSettings;

// The process-wide services a panel's logic may use. Each front end (the
// Windows program, the command line) owns one set and hands it to every
// panel it opens.
struct PanelServices {
  SerialSettings& settings;
  PrinterLink& link;
  const SampleStore& samples;
  FileReader& files;  // the files a user chooses to send
  AgingWorker& aging;  // the one aging run of the process
};

// One panel of the program: the menu command that opens it, its dialog
// template, whether the main window owns it, and its logic.
struct PanelEntry {
  int command;
  int dialogId;
  bool ownedByMainWindow;  // command-set test panels run without owner
  std::unique_ptr<PanelLogic> (*make)(PanelServices&);
};

// A panel's logic built from the services it takes: the whole set when it
// has a constructor for that, the printer link otherwise.
template <typename Logic>
std::unique_ptr<PanelLogic> MakePanel(PanelServices& services) {
  if constexpr (std::is_constructible_v<Logic, PanelServices&>)
    return std::make_unique<Logic>(services);
  else
    return std::make_unique<Logic>(services.link);
}

// Every panel, in menu order.
std::span<const PanelEntry> PanelCatalog();
const PanelEntry* FindPanelByCommand(int command);
const PanelEntry* FindPanelByDialog(int dialogId);
