#pragma once

#include <cstdio>
#include <optional>

#include "link/press_runner.h"

// Runs each press on a worker thread while the command line's thread shows
// a one-line progress bar (on a terminal, for presses that take longer
// than a second) and turns Ctrl-C into a cancel between pieces.
class TerminalPressRunner : public PressRunner {
 public:
  explicit TerminalPressRunner(std::FILE* terminal) : terminal_(terminal) {}
  void Run(std::uint64_t total, const PressWrites& writes) override;

  // Where the press stopped, when Ctrl-C cancelled one.
  const std::optional<PressProgress>& Cancelled() const { return cancelled_; }

 private:
  void Show(const PressProgress& progress, bool last);

  std::FILE* terminal_;  // nullptr: no bar
  bool shown_ = false;
  RateBase rateBase_;
  std::optional<PressProgress> cancelled_;
};

// "[#####     ]  40960 / 783486 bytes  9600 B/s  1:17 left"
// The rate is measured from `since`.
std::string ProgressBar(const PressProgress& progress, const PressProgress& since = {});
