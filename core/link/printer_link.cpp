#include "link/printer_link.h"

#include <algorithm>
#include <string>
#include <utility>

#include "link/press_monitor.h"

namespace {

// Ten bits a byte on a serial line: baud / 20 bytes take half a second.
std::size_t PieceBytesFor(const Endpoint& where) {
  if (where.kind != TransportKind::Serial) return kPressPieceBytes;
  return std::clamp<std::size_t>(where.line.baudRate / 20, kPressPieceMinBytes, kPressPieceBytes);
}

}  // namespace

PrinterLink::PrinterLink(Transport& transport, Reporter& reporter, const SerialSettings& settings)
    : transport_(transport), reporter_(reporter), settings_(settings) {}

PrinterLink::~PrinterLink() = default;

Endpoint PrinterLink::EndpointFor(PortKind kind, const SerialSettings& s) {
  Endpoint where;
  switch (kind) {
    case PortKind::Serial:
      where.kind = TransportKind::Serial;
      where.name = s.serialPortName;
      where.line = LineSettingsFor(s);
      break;
    case PortKind::Parallel:
      where.kind = TransportKind::Parallel;
      where.name = s.parallelPortName;
      break;
    case PortKind::Usb: where.kind = TransportKind::Usb; break;
    case PortKind::Network:
      where.kind = TransportKind::Network;
      where.name = s.networkHost;
      where.port = std::to_string(s.networkPort);
      break;
  }
  return where;
}

PrinterLink::PressHold::PressHold(PrinterLink& link, PressMonitor* monitor) : link_(link) {
  link_.LockAhead().release();  // unlocked when the hold ends
  if (++link_.holdDepth_ == 1 || monitor != nullptr) link_.monitor_ = monitor;
}

PrinterLink::PressHold::~PressHold() {
  Failures owed;
  if (--link_.holdDepth_ == 0) {
    std::swap(owed, link_.owed_);
    link_.pressFailed_ = false;
    link_.pressCancelled_ = false;
    link_.monitor_ = nullptr;
  }
  link_.mutex_.unlock();
  link_.Report(std::move(owed));
}

std::unique_lock<std::recursive_mutex> PrinterLink::LockAhead() {
  ++waitingAhead_;
  std::unique_lock lock(mutex_);
  --waitingAhead_;
  aheadTaken_.notify_all();
  return lock;
}

PrinterLink::DirectSend::DirectSend(PrinterLink& link, PortKind kind, PressMonitor* monitor)
    : hold_(link, monitor), link_(link), kind_(kind) {
  Failures failures;
  if (kind == PortKind::Usb) {
    link_.ReopenUsbLocked(failures);
  } else if (link_.SlotFor(kind).connection == nullptr) {
    link_.OpenLocked(kind, failures);
    closeAtEnd_ = true;
  } else if (kind == PortKind::Network) {
    link_.ReviveNetworkLocked(failures);  // held by an open panel: reused
  }
  link_.Report(std::move(failures));  // owed until the hold ends
}

PrinterLink::DirectSend::~DirectSend() {
  Failures failures;
  Slot& slot = link_.SlotFor(kind_);
  if (closeAtEnd_) {
    link_.CloseLocked(slot, failures);
  } else if (kind_ == PortKind::Network && slot.written && !link_.pressCancelled_) {
    // One connection per press, as after the panels' presses.
    const bool wasActive = link_.active_ == slot.connection.get();
    link_.CloseLocked(slot, failures);
    link_.OpenLocked(kind_, failures);
    if (wasActive) link_.active_ = slot.connection.get();
  }
  link_.Report(std::move(failures));
}

void PrinterLink::DirectSend::Write(const std::uint8_t* bytes, std::size_t count) {
  Failures failures;
  link_.WriteLocked(link_.SlotFor(kind_), bytes, count, failures);
  link_.Report(std::move(failures));
}

void PrinterLink::SelectPortKind(PortKind kind) {
  Failures failures;
  {
    auto lock = LockAhead();
    // The others first, in the order serial, parallel, USB, network.
    for (PortKind other : {PortKind::Serial, PortKind::Parallel, PortKind::Usb, PortKind::Network})
      if (other != kind) CloseLocked(SlotFor(other), failures);
    CloseLocked(SlotFor(kind), failures);
    OpenLocked(kind, failures);
    active_ = SlotFor(kind).connection.get();
    inUse_ = kind;
  }
  Report(std::move(failures));
}

void PrinterLink::SendBytes(const std::uint8_t* bytes, std::size_t count) {
  Failures failures;
  {
    std::unique_lock lock(mutex_);
    if (holdDepth_ == 0) aheadTaken_.wait(lock, [this] { return waitingAhead_ == 0; });
    if (holdDepth_ > 0) ReviveNetworkLocked(failures);
    for (Slot* slot : {&serial_, &parallel_, &usb_, &network_})
      if (active_ != nullptr && slot->connection.get() == active_) {
        WriteLocked(*slot, bytes, count, failures);
        break;
      }
  }
  Report(std::move(failures));
}

void PrinterLink::SendBytes(std::string_view bytes) {
  SendBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void PrinterLink::ResetAfterSend() {
  Failures failures;
  {
    auto lock = LockAhead();
    if (holdDepth_ > 0 && pressCancelled_) return;  // nothing more for a cancelled press
    CloseLocked(serial_, failures);
    CloseLocked(parallel_, failures);
    if (inUse_ == PortKind::Network) CloseLocked(network_, failures);
    // A USB connection stays open across transmissions; a network printer
    // that failed in this press is tried again at the next one.
    const bool reopen = inUse_ && (inUse_ != PortKind::Usb || usb_.connection == nullptr) &&
                        !(inUse_ == PortKind::Network && pressFailed_);
    if (reopen) OpenLocked(*inUse_, failures);
    if (inUse_) active_ = SlotFor(*inUse_).connection.get();
  }
  Report(std::move(failures));
}

void PrinterLink::CloseAll() {
  Failures failures;
  {
    auto lock = LockAhead();
    CloseLocked(parallel_, failures);
    CloseLocked(serial_, failures);
    CloseLocked(usb_, failures);
    CloseLocked(network_, failures);
    active_ = nullptr;
  }
  Report(std::move(failures));
}

void PrinterLink::Query(const std::function<void(Connection*)>& query) {
  PressHold hold(*this);
  Failures failures;
  ReviveNetworkLocked(failures);
  Report(std::move(failures));
  query(active_);
}

std::optional<PortKind> PrinterLink::InterfaceInUse() const {
  std::lock_guard lock(mutex_);
  return inUse_;
}

PrinterLink::Slot& PrinterLink::SlotFor(PortKind kind) {
  switch (kind) {
    case PortKind::Serial: return serial_;
    case PortKind::Parallel: return parallel_;
    case PortKind::Network: return network_;
    case PortKind::Usb: break;
  }
  return usb_;
}

void PrinterLink::OpenLocked(PortKind kind, Failures& failures) {
  if (kind == PortKind::Usb) {
    OpenUsbLocked(failures);
    return;
  }
  Slot& slot = SlotFor(kind);
  slot.where = EndpointFor(kind, settings_);
  slot.written = false;
  std::string error;
  slot.connection = transport_.Open(slot.where, error);
  if (slot.connection == nullptr) failures.push_back({LinkFailure::Step::Open, slot.where, error});
}

// Every present interface is opened in turn and the last one enumerated
// decides; a connection replaced by a later interface is closed at once.
void PrinterLink::OpenUsbLocked(Failures& failures) {
  for (const std::string& path : transport_.ListUsbPrinters()) {
    Endpoint where = EndpointFor(PortKind::Usb, settings_);
    where.name = path;
    std::string error;
    std::unique_ptr<Connection> opened = transport_.Open(where, error);
    if (opened == nullptr) failures.push_back({LinkFailure::Step::Open, where, error});
    CloseLocked(usb_, failures);
    usb_.connection = std::move(opened);
    usb_.where = where;
  }
}

void PrinterLink::ReopenUsbLocked(Failures& failures) {
  const bool wasActive = usb_.connection != nullptr && active_ == usb_.connection.get();
  CloseLocked(usb_, failures);
  OpenUsbLocked(failures);
  if (wasActive) active_ = usb_.connection.get();
}

void PrinterLink::CloseLocked(Slot& slot, Failures& failures) {
  if (slot.connection == nullptr) return;
  if (active_ == slot.connection.get()) active_ = nullptr;
  std::string error;
  // Everything written must have reached the printer before it counts as sent.
  if (slot.where.kind == TransportKind::Network && slot.written && !slot.connection->Finish(error))
    failures.push_back({LinkFailure::Step::Write, slot.where, error});
  slot.connection.reset();
  slot.written = false;
}

void PrinterLink::WriteLocked(Slot& slot, const std::uint8_t* bytes, std::size_t count, Failures& failures) {
  if (slot.connection == nullptr || (holdDepth_ > 0 && pressFailed_)) return;
  PressMonitor* monitor = holdDepth_ > 0 ? monitor_ : nullptr;
  const std::size_t piece = monitor != nullptr ? std::min(count, PieceBytesFor(slot.where)) : count;
  std::size_t done = 0;
  do {
    if (monitor != nullptr && monitor->Cancelled()) {
      pressFailed_ = pressCancelled_ = true;
      monitor->MarkStopped();
      return;
    }
    const std::size_t size = std::min(piece, count - done);
    std::size_t written = 0;
    std::string error;
    slot.written = true;
    const bool ok = slot.connection->Write({bytes + done, size}, written, error);
    if (monitor != nullptr) monitor->Add(written);
    if (!ok) {
      failures.push_back({LinkFailure::Step::Write, slot.where, error});
      if (holdDepth_ > 0) pressFailed_ = true;
      if (slot.where.kind == TransportKind::Network) {
        if (active_ == slot.connection.get()) active_ = nullptr;
        slot.connection.reset();
        slot.written = false;
      }
      return;
    }
    done += size;
  } while (done < count);
}

void PrinterLink::ReviveNetworkLocked(Failures& failures) {
  if (inUse_ != PortKind::Network || pressFailed_) return;
  if (active_ != nullptr && active_ != network_.connection.get()) return;
  if (network_.connection != nullptr && !network_.connection->PeerClosed()) return;
  network_.connection.reset();
  const std::size_t before = failures.size();
  OpenLocked(PortKind::Network, failures);
  active_ = network_.connection.get();
  if (failures.size() > before && holdDepth_ > 0) pressFailed_ = true;
}

void PrinterLink::Report(Failures failures) {
  if (failures.empty()) return;
  {
    auto lock = LockAhead();
    // Inside a press the failures wait until the whole press is written.
    if (holdDepth_ > 0) {
      owed_.insert(owed_.end(), failures.begin(), failures.end());
      return;
    }
  }
  for (const LinkFailure& failure : failures) reporter_.Report(failure);
}
