#pragma once

#include <memory>
#include <string>

#include "link/port_kind.h"
#include "link/printer_link.h"
#include "link/serial_settings.h"
#include "press_progress.h"
#include "target.h"
#include "target_transport.h"

// One run of the command line against its target: the printer link whose
// every connection is the target, with the terminal's progress bar and
// Ctrl-C for long presses.
class TargetSession {
 public:
  // A network target becomes the link's network printer. False, with
  // `error` set, when the target cannot be used.
  bool Start(const std::string& target, const SerialSettings& settings, const TargetOptions& options,
             std::string& error);

  // The link's settings, which the panels read and change.
  SerialSettings& Settings() { return settings_; }
  PrinterLink& Link() { return *link_; }
  TargetTransport& Driver() { return *driver_; }
  // The interface whose connection reaches the target.
  PortKind Port() const;

  // Closes the link and says how the run went: 0 with "sent N bytes ..." on
  // stderr, or 1 with the reason (a failure, Ctrl-C, or nothing sent when
  // `nothingIsAFailure`).
  int Finish(bool nothingIsAFailure);

 private:
  std::string name_;
  SerialSettings settings_;
  Endpoint where_;
  std::unique_ptr<Transport> system_;
  std::unique_ptr<TargetTransport> driver_;
  std::unique_ptr<TerminalPressRunner> presses_;
  std::unique_ptr<PrinterLink> link_;
};
