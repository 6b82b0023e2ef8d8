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
    switch (kind) {
      case PortKind::Serial:
        CloseLocked(parallel_);
        CloseLocked(usb_);
        CloseLocked(serial_);
        failures = OpenSerialLocked();
        active_ = serial_;
        break;
      case PortKind::Parallel:
        CloseLocked(serial_);
        CloseLocked(usb_);
        CloseLocked(parallel_);
        failures = OpenParallelLocked();
        active_ = parallel_;
        break;
      case PortKind::Usb:
        CloseLocked(serial_);
        CloseLocked(parallel_);
        CloseLocked(usb_);
        OpenUsbLocked();
        active_ = usb_;
        break;
    }
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
    // The active output is one of the connections closed here, or USB.
    if (active_ == serial_ || active_ == parallel_) active_ = nullptr;
    CloseLocked(serial_);
    CloseLocked(parallel_);
    if (inUse_ == PortKind::Serial) {
      failures = OpenSerialLocked();
      active_ = serial_;
    } else if (inUse_ == PortKind::Parallel) {
      failures = OpenParallelLocked();
      active_ = parallel_;
    } else if (inUse_ == PortKind::Usb) {
      if (usb_ == nullptr) OpenUsbLocked();
      active_ = usb_;
    }
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

int PrinterLink::OpenSerialLocked() {
  serial_ = driver_.OpenSerial(settings_.serialPortName, LineSettingsFor(settings_));
  return serial_ == nullptr ? 1 : 0;
}

int PrinterLink::OpenParallelLocked() {
  parallel_ = driver_.OpenParallel(settings_.parallelPortName);
  return parallel_ == nullptr ? 1 : 0;
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

void PrinterLink::CloseLocked(PortHandle& port) {
  if (port == nullptr) return;
  if (active_ == port) active_ = nullptr;
  driver_.Close(port);
  port = nullptr;
}

void PrinterLink::ShowFailures(int count) {
  for (int i = 0; i < count; ++i) driver_.ShowOpenFailure();
}
