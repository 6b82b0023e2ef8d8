#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "link/press_monitor.h"

class PrinterLink;

// The writes of one press, made under one hold of the link that carries
// the monitor (nullptr when no front end follows the press).
using PressWrites = std::function<void(PressMonitor* monitor)>;

// How a front end runs a press: the program on a worker thread while its
// window stays alive, with a progress window; the command line with a
// progress bar and Ctrl-C. Returns when the press is over.
class PressRunner {
 public:
  virtual ~PressRunner() = default;
  virtual void Run(std::uint64_t total, const PressWrites& writes) = 0;
};

// Runs a press of `total` bytes through the link's press runner, or right
// here, unfollowed, when the link has none.
void RunPress(PrinterLink& link, std::uint64_t total, const PressWrites& writes);

// A press's writes on a thread of their own. Destroying it cancels the
// press and waits for the piece being written.
class PressThread {
 public:
  PressThread(PressMonitor& monitor, PressWrites writes);
  ~PressThread();
  PressThread(const PressThread&) = delete;
  PressThread& operator=(const PressThread&) = delete;

  // Waits up to `timeout`; true once the press is over.
  bool WaitDone(std::chrono::milliseconds timeout);

 private:
  PressMonitor& monitor_;
  std::mutex mutex_;
  std::condition_variable doneChanged_;
  bool done_ = false;
  std::thread thread_;
};
