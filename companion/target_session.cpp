#include "target_session.h"

#include <cstdio>

#include "command_line.h"
#include "terminal.h"

bool TargetSession::Start(const std::string& target, const SerialSettings& settings, const TargetOptions& options,
                          std::string& error) {
  name_ = target;
  settings_ = settings;
  system_ = MakeSystemTransport(options);
  if (!EndpointForTarget(target, *system_, where_, error)) return false;
  if (where_.kind == TransportKind::Network) {
    settings_.networkHost = where_.name;
    settings_.networkPort = static_cast<std::uint32_t>(std::stoul(where_.port));
  }
  // Progress is shown by the press runner, between the pieces of a press.
  driver_ = std::make_unique<TargetTransport>(*system_, where_, target, nullptr);
  presses_ = std::make_unique<TerminalPressRunner>(StderrIsTerminal() ? stderr : nullptr);
  link_ = std::make_unique<PrinterLink>(*driver_, *driver_, settings_);
  link_->SetRunner(presses_.get());
  return true;
}

PortKind TargetSession::Port() const {
  switch (where_.kind) {
    case TransportKind::Serial: return PortKind::Serial;
    case TransportKind::Usb: return PortKind::Usb;
    case TransportKind::Network: return PortKind::Network;
    case TransportKind::Parallel:
    case TransportKind::File: break;
  }
  return PortKind::Parallel;
}

int TargetSession::Finish(bool nothingIsAFailure) {
  link_->CloseAll();
  const bool sent = driver_->Finish();
  if (const std::optional<PressProgress>& stop = presses_->Cancelled())
    return Fail(kExitFailed, "stopped by Ctrl-C: " + std::to_string(stop->sent) + " of " + std::to_string(stop->total) +
                                 " bytes were sent");
  if (!sent)
    return Fail(kExitFailed, driver_->Error() + " (" + std::to_string(driver_->BytesWritten()) + " bytes were sent)");
  if (driver_->BytesWritten() == 0 && nothingIsAFailure) return Fail(kExitFailed, "nothing was sent");
  std::fprintf(stderr, "sent %zu bytes in %d writes to %s\n", driver_->BytesWritten(), driver_->Writes(), name_.c_str());
  return kExitSent;
}
