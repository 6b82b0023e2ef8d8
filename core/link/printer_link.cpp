#include "link/printer_link.h"

#include "ui/panel.h"

namespace {

struct KindInfo {
  int radioId;
  const char* prompt;
};

KindInfo InfoFor(PortKind kind) {
  switch (kind) {
    case PortKind::Serial: return {kSerialRadioId, "您的打印机接口是串口？"};
    case PortKind::Parallel: return {kParallelRadioId, "您的打印机接口是并口？"};
    case PortKind::Usb: return {kUsbRadioId, "您的打印机接口是USB口？"};
  }
  return {0, ""};
}

}  // namespace

PrinterLink::PrinterLink(PortDriver& driver, const SerialSettings& settings)
    : driver_(driver), settings_(settings) {}

PrinterLink::PressHold::PressHold(PrinterLink& link) : link_(link) {
  link_.mutex_.lock();
  ++link_.holdDepth_;
}

PrinterLink::PressHold::~PressHold() {
  int owed = 0;
  if (--link_.holdDepth_ == 0) std::swap(owed, link_.failuresOwed_);
  link_.mutex_.unlock();
  link_.ShowFailures(owed);
}

PrinterLink::DirectSend::DirectSend(PrinterLink& link, PortKind kind)
    : hold_(link), link_(link), kind_(kind) {
  if (kind == PortKind::Usb) {
    link_.ReopenUsbLocked();
    return;
  }
  if (link_.ConnectionFor(kind) != nullptr) return;  // held by an open panel: reused
  link_.ShowFailures(link_.OpenLocked(kind));         // owed until the hold ends
  closeAtEnd_ = true;
}

PrinterLink::DirectSend::~DirectSend() {
  if (closeAtEnd_) link_.CloseLocked(link_.ConnectionFor(kind_));
}

void PrinterLink::DirectSend::Write(const std::uint8_t* bytes, std::size_t count) {
  if (PortHandle port = link_.ConnectionFor(kind_)) link_.driver_.Write(port, bytes, count);
}

void PrinterLink::ShowPortKind(Panel& panel, int kind) {
  static constexpr int kRadioIds[] = {kSerialRadioId, kParallelRadioId, kUsbRadioId};
  if (kind < 0 || kind > 2) return;
  panel.SetChecked(kRadioIds[kind], true);
  for (int other : kRadioIds)
    if (other != kRadioIds[kind]) panel.SetChecked(other, false);
}

void PrinterLink::SelectPortKind(Panel& panel, PortKind kind) {
  // The answer is not examined: OK and Cancel both select.
  panel.ShowMessage(InfoFor(kind).prompt, "接口提示", MessageButtons::OkCancel);
  ShowPortKind(panel, static_cast<int>(kind));

  int failures = 0;
  {
    std::lock_guard lock(mutex_);
    // The other two first, in the order serial, parallel, USB.
    for (PortKind other : {PortKind::Serial, PortKind::Parallel, PortKind::Usb})
      if (other != kind) CloseLocked(ConnectionFor(other));
    CloseLocked(ConnectionFor(kind));
    failures = OpenLocked(kind);
    active_ = ConnectionFor(kind);
    inUse_ = kind;
  }
  ShowFailures(failures);
}

void PrinterLink::SendBytes(const std::uint8_t* bytes, std::size_t count) {
  std::lock_guard lock(mutex_);
  if (active_ != nullptr) driver_.Write(active_, bytes, count);
}

void PrinterLink::SendBytes(std::string_view bytes) {
  SendBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void PrinterLink::ResetAfterSend() {
  int failures = 0;
  {
    std::lock_guard lock(mutex_);
    CloseLocked(serial_);
    CloseLocked(parallel_);
    // A USB connection stays open across transmissions.
    if (inUse_ && (inUse_ != PortKind::Usb || usb_ == nullptr)) failures = OpenLocked(*inUse_);
    if (inUse_) active_ = ConnectionFor(*inUse_);
  }
  ShowFailures(failures);
}

void PrinterLink::CloseAll() {
  std::lock_guard lock(mutex_);
  CloseLocked(parallel_);
  CloseLocked(serial_);
  CloseLocked(usb_);
  active_ = nullptr;
}

std::optional<PortKind> PrinterLink::InterfaceInUse() const {
  std::lock_guard lock(mutex_);
  return inUse_;
}

PortHandle& PrinterLink::ConnectionFor(PortKind kind) {
  switch (kind) {
    case PortKind::Serial: return serial_;
    case PortKind::Parallel: return parallel_;
    case PortKind::Usb: break;
  }
  return usb_;
}

int PrinterLink::OpenLocked(PortKind kind) {
  switch (kind) {
    case PortKind::Serial:
      serial_ = driver_.OpenSerial(settings_.serialPortName, LineSettingsFor(settings_));
      return serial_ == nullptr ? 1 : 0;
    case PortKind::Parallel:
      parallel_ = driver_.OpenParallel(settings_.parallelPortName);
      return parallel_ == nullptr ? 1 : 0;
    case PortKind::Usb:
      OpenUsbLocked();
      return 0;  // USB failures are silent
  }
  return 0;
}

// Every present interface is opened in turn and the last one enumerated
// decides; a handle replaced by a later interface is closed at once.
void PrinterLink::OpenUsbLocked() {
  for (const std::string& path : driver_.ListUsbPrinters()) {
    PortHandle opened = driver_.OpenUsb(path);
    CloseLocked(usb_);
    usb_ = opened;
  }
}

void PrinterLink::ReopenUsbLocked() {
  const bool wasActive = usb_ != nullptr && active_ == usb_;
  CloseLocked(usb_);
  OpenUsbLocked();
  if (wasActive) active_ = usb_;
}

void PrinterLink::CloseLocked(PortHandle& port) {
  if (port == nullptr) return;
  if (active_ == port) active_ = nullptr;
  driver_.Close(port);
  port = nullptr;
}

void PrinterLink::ShowFailures(int count) {
  if (count == 0) return;
  {
    std::lock_guard lock(mutex_);
    // Inside a press the boxes wait until the whole press is written.
    if (holdDepth_ > 0) {
      failuresOwed_ += count;
      return;
    }
  }
  for (int i = 0; i < count; ++i) driver_.ShowOpenFailure();
}
