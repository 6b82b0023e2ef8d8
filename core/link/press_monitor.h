#pragma once

// std::chrono's durations come with <condition_variable>; <chrono> itself
// is left out, as its unit names hold a sign (µ) the GBK build cannot encode.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

// Long runs of a followed press are written in pieces of at most this
// size, so a cancel is honoured between them; a run no longer than its
// piece is one write. On a serial line a piece is about half a second of
// line time, and at least kPressPieceMinBytes.
constexpr std::size_t kPressPieceBytes = 4096;
constexpr std::size_t kPressPieceMinBytes = 256;

// How far a press has got.
struct PressProgress {
  std::uint64_t sent = 0;   // bytes handed over
  std::uint64_t total = 0;  // bytes of the whole press
  std::chrono::milliseconds elapsed{0};
  bool stopped = false;  // a cancel cut the press short
};

// Follows one press: the writer adds the bytes of each piece handed over
// and asks before each piece whether to go on; any thread may read the
// progress and cancel. The clock is injectable so tests control time.
class PressMonitor {
 public:
  using Clock = std::function<std::chrono::milliseconds()>;
  static std::chrono::milliseconds SteadyNow();

  explicit PressMonitor(std::uint64_t total, Clock clock = SteadyNow);

  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }
  // Called by the writer when it honours the cancel and leaves the rest.
  void MarkStopped() { stopped_ = true; }
  // Called by the writer after each piece; a press that turns out longer
  // than announced grows its total.
  void Add(std::size_t bytes);
  PressProgress Progress() const;

  // Told after each piece on the writing thread (tests, a log).
  std::function<void(const PressProgress&)> onPiece;

 private:
  Clock clock_;
  std::chrono::milliseconds start_;
  std::atomic<std::uint64_t> sent_{0};
  std::atomic<std::uint64_t> total_;
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> stopped_{false};
};

// The figures a progress display shows.
struct PressFigures {
  std::uint64_t bytesPerSecond = 0;         // 0 until a rate is known
  std::optional<std::uint64_t> secondsLeft;  // unknown until a rate is known
};
// Measured from `since` (an earlier sample of the same press; the start when
// not given), so that a burst into a port's buffers at the start does not
// inflate the rate for long.
PressFigures FiguresFor(const PressProgress& now, const PressProgress& since = {});

// Keeps the samples of a running press and gives the one a rate is measured
// from: the latest that is at least `span` old, or the start.
class RateBase {
 public:
  explicit RateBase(std::chrono::milliseconds span = std::chrono::milliseconds(5000)) : span_(span) {}
  PressProgress From(const PressProgress& now);

 private:
  std::chrono::milliseconds span_;
  std::deque<PressProgress> samples_{PressProgress{}};
};
