#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string_view>

#include "link/port_driver.h"
#include "link/port_kind.h"
#include "link/serial_settings.h"

class Panel;

// The one process-wide set of printer connections and the active output.
// One lock guards it: the aging worker may write while the user interface
// thread resets the link, and a run is never split by another writer.
// Failure boxes are shown after the lock is released, so a re-entrant
// button press from inside a box cannot deadlock.
class PrinterLink {
 public:
  // Holds the link for one button press: the writes and resets made in its
  // scope go out with no other thread's writes between them. Failure boxes
  // owed meanwhile are shown when the outermost hold ends.
  class PressHold {
   public:
    explicit PressHold(PrinterLink& link);
    ~PressHold();
    PressHold(const PressHold&) = delete;
    PressHold& operator=(const PressHold&) = delete;

   private:
    PrinterLink& link_;
  };

  // The custom sender's press: writes straight to one interface's own
  // connection, not to the active output, and leaves the interface in use
  // as it is. A serial or parallel connection the link already holds is
  // written through and left open; otherwise the port is opened for the
  // press and closed at its end. USB is opened afresh, the earlier
  // connection closed first, and stays open (and stays the active output
  // if it was). The whole press is one hold of the link.
  class DirectSend {
   public:
    DirectSend(PrinterLink& link, PortKind kind);
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

  PrinterLink(PortDriver& driver, const SerialSettings& settings);

  // Radio button click: prompt, mark the button, close the others, open.
  void SelectPortKind(Panel& panel, PortKind kind);
  static void ShowPortKind(Panel& panel, int kind);

  void SendBytes(const std::uint8_t* bytes, std::size_t count);
  void SendBytes(std::string_view bytes);
  // Closes serial and parallel and reopens the interface in use.
  void ResetAfterSend();
  // Close button: all connections closed, the interface in use kept.
  void CloseAll();

  std::optional<PortKind> InterfaceInUse() const;

 private:
  PortHandle& ConnectionFor(PortKind kind);
  // Opens one interface; returns the number of failure boxes owed.
  int OpenLocked(PortKind kind);
  void OpenUsbLocked();
  // USB reopened, the active output following it off the old connection.
  void ReopenUsbLocked();
  void CloseLocked(PortHandle& port);
  // Shows the boxes now, or leaves them to the press hold; lock released.
  void ShowFailures(int count);

  PortDriver& driver_;
  const SerialSettings& settings_;
  mutable std::recursive_mutex mutex_;
  int holdDepth_ = 0;      // nested press holds of the owning thread
  int failuresOwed_ = 0;   // boxes waiting for the hold to end
  PortHandle serial_ = nullptr;
  PortHandle parallel_ = nullptr;
  PortHandle usb_ = nullptr;
  PortHandle active_ = nullptr;
  std::optional<PortKind> inUse_;
};
