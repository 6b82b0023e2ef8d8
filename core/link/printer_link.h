#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "link/port_kind.h"
#include "link/serial_settings.h"
#include "link/transport.h"

class PressMonitor;
class PressRunner;

// The one process-wide set of printer connections and the active output.
// One lock guards it: the aging worker may write while the user interface
// thread resets the link, and a run is never split by another writer.
// Failures go to the reporter after the lock is released, so a re-entrant
// button press from inside a box cannot deadlock. A lone write (one made
// outside a press hold: the aging worker's) lets every other waiting use of
// the link go first, so back-to-back writes cannot keep a press waiting.
class PrinterLink {
 public:
  // Holds the link for one button press: the writes and resets made in its
  // scope go out with no other thread's writes between them. Failures met
  // meanwhile are reported when the outermost hold ends. A failed write
  // ends the press: the rest of its writes are skipped. With a monitor,
  // long runs go out in pieces, each counted; a cancel ends the press
  // before the next piece and skips its reset.
  class PressHold {
   public:
    explicit PressHold(PrinterLink& link, PressMonitor* monitor = nullptr);
    ~PressHold();
    PressHold(const PressHold&) = delete;
    PressHold& operator=(const PressHold&) = delete;

   private:
    PrinterLink& link_;
  };

  // The custom sender's press: writes straight to one interface's own
  // connection, not to the active output, and leaves the interface in use
  // as it is. A serial, parallel or network connection the link already
  // holds is written through (and left open; a network one is reconnected
  // at the end, as after any press); otherwise the port is opened for the
  // press and closed at its end. USB is opened afresh, the earlier
  // connection closed first, and stays open (and stays the active output
  // if it was). The whole press is one hold of the link.
  class DirectSend {
   public:
    DirectSend(PrinterLink& link, PortKind kind, PressMonitor* monitor = nullptr);
    ~DirectSend();
    DirectSend(const DirectSend&) = delete;
    DirectSend& operator=(const DirectSend&) = delete;

    // One write; nothing happens when the port could not be opened.
    void Write(const std::uint8_t* bytes, std::size_t count);

   private:
    PressHold hold_;
    PrinterLink& link_;
    PortKind kind_;
    bool closeAtEnd_ = false;
  };

  PrinterLink(Transport& transport, Reporter& reporter, const SerialSettings& settings);
  ~PrinterLink();

  // Makes `kind` the interface in use: the other connections are closed,
  // then this one is closed and opened again. The panel asks the user first.
  void SelectPortKind(PortKind kind);

  void SendBytes(const std::uint8_t* bytes, std::size_t count);
  void SendBytes(std::string_view bytes);
  // Closes serial and parallel and reopens the interface in use; a network
  // connection is finished and reconnected, so each press is one connection.
  void ResetAfterSend();
  // Close button: all connections closed, the interface in use kept.
  void CloseAll();

  // Runs `query` with the active connection (nullptr when there is none)
  // under one hold of the link, so it never falls inside another press.
  void Query(const std::function<void(Connection*)>& query);

  std::optional<PortKind> InterfaceInUse() const;

  // How the front end runs presses (see RunPress); none runs them unfollowed.
  void SetRunner(PressRunner* runner) { runner_ = runner; }
  PressRunner* Runner() const { return runner_; }
  const SerialSettings& Settings() const { return settings_; }

  // Where an interface's connection goes with the given settings.
  static Endpoint EndpointFor(PortKind kind, const SerialSettings& settings);

 private:
  using Failures = std::vector<LinkFailure>;
  struct Slot {
    std::unique_ptr<Connection> connection;
    Endpoint where;
    bool written = false;  // anything written since it was opened
  };

  // Takes the lock ahead of lone writes.
  std::unique_lock<std::recursive_mutex> LockAhead();
  Slot& SlotFor(PortKind kind);
  void OpenLocked(PortKind kind, Failures& failures);
  void OpenUsbLocked(Failures& failures);
  // USB reopened, the active output following it off the old connection.
  void ReopenUsbLocked(Failures& failures);
  // A network connection that was written to is finished first.
  void CloseLocked(Slot& slot, Failures& failures);
  // One write; a failure is reported, ends the press and drops a network
  // connection (reconnected at the next press).
  void WriteLocked(Slot& slot, const std::uint8_t* bytes, std::size_t count, Failures& failures);
  // Reconnects a network printer in use that has no live connection.
  void ReviveNetworkLocked(Failures& failures);
  // Reports now, or leaves the failures to the press hold; lock released.
  void Report(Failures failures);

  Transport& transport_;
  Reporter& reporter_;
  const SerialSettings& settings_;
  mutable std::recursive_mutex mutex_;
  std::atomic<int> waitingAhead_ = 0;       // threads in LockAhead
  std::condition_variable_any aheadTaken_;  // LockAhead got the lock
  int holdDepth_ = 0;       // nested press holds of the owning thread
  Failures owed_;           // failures waiting for the hold to end
  bool pressFailed_ = false;  // a write of the current press failed
  bool pressCancelled_ = false;      // the current press was cancelled
  PressMonitor* monitor_ = nullptr;  // follows the current press
  PressRunner* runner_ = nullptr;
  Slot serial_, parallel_, usb_, network_;
  Connection* active_ = nullptr;
  std::optional<PortKind> inUse_;
};
