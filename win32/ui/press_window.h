#pragma once

#include <windows.h>

#include "link/press_runner.h"
#include "link/printer_link.h"

// Runs the program's presses: the writes on a worker thread while the
// dialog's thread waits. For the first half second it paints and answers
// sent messages only (the rest stays queued, so a quick press behaves as
// before); after that a progress window owned by the panel shows how far
// the press has got, the panel's controls but 关闭 are disabled, and input,
// paint, timers and everything for other windows are handled. Messages
// posted to the panel itself wait until the press is over. 取消, closing
// the progress window, 关闭 and the program ending cancel the press
// between pieces.
class WindowPressRunner : public PressRunner {
 public:
  // Runs the presses of `link` from now on, until destroyed.
  WindowPressRunner(HINSTANCE instance, PrinterLink& link);
  ~WindowPressRunner() override;
  WindowPressRunner(const WindowPressRunner&) = delete;
  WindowPressRunner& operator=(const WindowPressRunner&) = delete;
  void Run(std::uint64_t total, const PressWrites& writes) override;

 private:
  HINSTANCE instance_;
  PrinterLink& link_;
};

// The panel whose command is being handled owns the progress window.
class PressOwner {
 public:
  explicit PressOwner(HWND panel);
  ~PressOwner();
  PressOwner(const PressOwner&) = delete;
  PressOwner& operator=(const PressOwner&) = delete;

 private:
  HWND before_;
};

// True while a press runs: the panels refuse every command but 关闭.
bool PressRunning();
// Cancels the running press; `thenClose` gets WM_COMMAND 1 once it ends.
void CancelRunningPress(HWND thenClose);
