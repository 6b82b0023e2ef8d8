#include "link/press_monitor.h"

std::chrono::milliseconds PressMonitor::SteadyNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

PressMonitor::PressMonitor(std::uint64_t total, Clock clock)
    : clock_(std::move(clock)), start_(clock_()), total_(total) {}

void PressMonitor::Add(std::size_t bytes) {
  const std::uint64_t sent = sent_ += bytes;
  std::uint64_t total = total_;
  while (total < sent && !total_.compare_exchange_weak(total, sent)) {
  }
  if (onPiece) onPiece(Progress());
}

PressProgress PressMonitor::Progress() const {
  PressProgress p;
  p.sent = sent_;
  p.total = total_;
  p.elapsed = clock_() - start_;
  p.stopped = stopped_;
  return p;
}

PressFigures FiguresFor(const PressProgress& now, const PressProgress& since) {
  PressFigures f;
  if (now.elapsed <= since.elapsed || now.sent <= since.sent) return f;
  const auto ms = static_cast<std::uint64_t>((now.elapsed - since.elapsed).count());
  f.bytesPerSecond = (now.sent - since.sent) * 1000 / ms;
  if (f.bytesPerSecond > 0) f.secondsLeft = (now.total - now.sent + f.bytesPerSecond - 1) / f.bytesPerSecond;
  return f;
}

PressProgress RateBase::From(const PressProgress& now) {
  while (samples_.size() > 1 && now.elapsed - samples_[1].elapsed >= span_) samples_.pop_front();
  const PressProgress base = samples_.front();
  samples_.push_back(now);
  return base;
}
