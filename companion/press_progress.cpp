#include "press_progress.h"

#include <atomic>
#include <csignal>
#include <string>

#ifndef _WIN32
#include <pthread.h>
#endif

namespace {

constexpr std::chrono::milliseconds kBarAfter{1000}, kRedrawEvery{200};
constexpr int kBarWidth = 24;

// The press Ctrl-C cancels. Cancelling is a lock-free store, safe in a handler.
std::atomic<PressMonitor*> g_interruptible{nullptr};
extern "C" void CancelOnInterrupt(int) {
  if (PressMonitor* monitor = g_interruptible.load()) monitor->Cancel();
}

// The worker inherits the mask, so Ctrl-C never interrupts a write.
class InterruptsBlocked {
 public:
  InterruptsBlocked() {
#ifndef _WIN32
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    pthread_sigmask(SIG_BLOCK, &interrupt, &before_);
#endif
  }
  ~InterruptsBlocked() {
#ifndef _WIN32
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
#endif
  }

 private:
#ifndef _WIN32
  sigset_t before_;
#endif
};

}  // namespace

std::string ProgressBar(const PressProgress& p, const PressProgress& since) {
  const int filled = p.total == 0 ? kBarWidth : static_cast<int>(p.sent * kBarWidth / p.total);
  std::string bar(static_cast<std::size_t>(kBarWidth + 2), ' ');
  bar.front() = '[';
  bar.back() = ']';
  bar.replace(1, static_cast<std::size_t>(filled), static_cast<std::size_t>(filled), '#');
  bar += "  " + std::to_string(p.sent) + " / " + std::to_string(p.total) + " bytes";
  const PressFigures f = FiguresFor(p, since);
  if (f.bytesPerSecond > 0) bar += "  " + std::to_string(f.bytesPerSecond) + " B/s";
  if (f.secondsLeft) {
    const std::string seconds = std::to_string(*f.secondsLeft % 60);
    bar += "  " + std::to_string(*f.secondsLeft / 60) + ":" + (seconds.size() < 2 ? "0" : "") + seconds + " left";
  }
  return bar;
}

void TerminalPressRunner::Run(std::uint64_t total, const PressWrites& writes) {
  PressMonitor monitor(total);
  rateBase_ = RateBase();
  g_interruptible = &monitor;
  void (*before)(int) = std::signal(SIGINT, CancelOnInterrupt);
  std::optional<PressThread> thread;
  {
    InterruptsBlocked blocked;
    thread.emplace(monitor, writes);
  }
  while (!thread->WaitDone(kRedrawEvery)) Show(monitor.Progress(), false);
  thread.reset();
  std::signal(SIGINT, before);
  g_interruptible = nullptr;

  const PressProgress end = monitor.Progress();
  Show(end, true);
  if (end.stopped) cancelled_ = end;
}

void TerminalPressRunner::Show(const PressProgress& progress, bool last) {
  if (terminal_ == nullptr || (!shown_ && (last || progress.elapsed < kBarAfter))) return;
  shown_ = !last;
  // Padded so that a shorter line covers the one before.
  const std::string bar = ProgressBar(progress, rateBase_.From(progress));
  std::fprintf(terminal_, "\r%-78s%s", bar.c_str(), last ? "\n" : "");
  std::fflush(terminal_);
}
