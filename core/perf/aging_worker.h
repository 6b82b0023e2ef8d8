#pragma once

// std::chrono's durations come with <condition_variable>; <chrono> itself
// is left out, as its unit names hold a sign (µ) the GBK build cannot encode.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

class PrinterLink;

// A stop request that wakes the thread waiting on it.
class StopRequest {
 public:
  void Request();
  bool Requested() const;
  // Waits up to `duration`, less when a stop is requested meanwhile.
  void WaitFor(std::chrono::milliseconds duration);

 private:
  mutable std::mutex mutex_;
  std::condition_variable requested_;
  bool isRequested_ = false;
};

// The aging run: a 220-byte pattern written 3,600 times through the link,
// with a pause after each write. It belongs to the process, not to a
// panel: it holds no Panel and goes on after the panel has closed. Its
// writes are single runs, so they fall between button presses, never
// inside one. At most one run writes: a new start stops and replaces the
// running one. A run is stopped cooperatively, never killed, so it never
// leaves the link's lock held.
class AgingWorker {
 public:
  static constexpr int kWrites = 3600;

  // How a run spends its pause; it must return early once `stop` is requested.
  using PauseWait = std::function<void(std::chrono::milliseconds pause, StopRequest& stop)>;
  static void WaitOnStop(std::chrono::milliseconds pause, StopRequest& stop) { stop.WaitFor(pause); }

  explicit AgingWorker(PrinterLink& link, PauseWait wait = WaitOnStop);
  ~AgingWorker();  // stops the run and waits for it
  AgingWorker(const AgingWorker&) = delete;
  AgingWorker& operator=(const AgingWorker&) = delete;

  // Starts a run with this pause, after stopping the one running.
  void Start(std::chrono::milliseconds pause);
  // Ends the run within one pause: the pause is cut short and no write
  // starts after it. Returns once a write in progress is done.
  void Stop();
  // Stop, waiting at most `limit` for a write in progress. False when the
  // run has not ended by then (the driver still holds its write).
  bool StopWithin(std::chrono::milliseconds limit);
  bool Running() const;

 private:
  struct Run;
  void WritePatterns(Run& run, std::chrono::milliseconds pause);

  PrinterLink& link_;
  const PauseWait wait_;
  mutable std::mutex control_;  // Start and Stop one at a time
  std::unique_ptr<Run> run_;    // the latest run, until it is joined
};

// The pause from the seconds entry: its first 9 characters read like atol
// (blanks, a sign, digits), times 1000 in 64 bits, at most 2^31 - 1 ms. A
// negative entry means no pause.
std::chrono::milliseconds AgingPauseFromEntry(std::string_view entry);
