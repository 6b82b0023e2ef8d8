#include "perf/aging_worker.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "link/printer_link.h"

namespace {

// Four lines of 27 pairs "\/" and a line feed: 220 bytes.
std::string AgingPattern() {
  std::string line;
  for (int pair = 0; pair < 27; ++pair) line += "\\/";
  line += '\n';
  return line + line + line + line;
}

}  // namespace

void StopRequest::Request() {
  {
    std::lock_guard lock(mutex_);
    isRequested_ = true;
  }
  requested_.notify_all();
}

bool StopRequest::Requested() const {
  std::lock_guard lock(mutex_);
  return isRequested_;
}

void StopRequest::WaitFor(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  requested_.wait_for(lock, duration, [this] { return isRequested_; });
}

struct AgingWorker::Run {
  StopRequest stop;
  std::mutex mutex;
  std::condition_variable endedSignal;
  bool ended = false;
  std::thread thread;
};

AgingWorker::AgingWorker(PrinterLink& link, PauseWait wait) : link_(link), wait_(std::move(wait)) {}

AgingWorker::~AgingWorker() { Stop(); }

void AgingWorker::Start(std::chrono::milliseconds pause) {
  std::lock_guard lock(control_);
  if (run_) {
    run_->stop.Request();
    run_->thread.join();
  }
  run_ = std::make_unique<Run>();
  try {
    run_->thread = std::thread(&AgingWorker::WritePatterns, this, std::ref(*run_), pause);
  } catch (const std::system_error&) {
    run_.reset();  // no thread to be had: nothing runs
  }
}

void AgingWorker::Stop() {
  std::lock_guard lock(control_);
  if (!run_) return;
  run_->stop.Request();
  run_->thread.join();
  run_.reset();
}

bool AgingWorker::StopWithin(std::chrono::milliseconds limit) {
  std::lock_guard lock(control_);
  if (!run_) return true;
  run_->stop.Request();
  {
    std::unique_lock runLock(run_->mutex);
    if (!run_->endedSignal.wait_for(runLock, limit, [this] { return run_->ended; })) return false;
  }
  run_->thread.join();
  run_.reset();
  return true;
}

bool AgingWorker::Running() const {
  std::lock_guard lock(control_);
  if (!run_) return false;
  std::lock_guard runLock(run_->mutex);
  return !run_->ended;
}

void AgingWorker::WritePatterns(Run& run, std::chrono::milliseconds pause) {
  const std::string pattern = AgingPattern();
  for (int i = 0; i < kWrites && !run.stop.Requested(); ++i) {
    link_.SendBytes(pattern);
    wait_(pause, run.stop);
  }
  {
    std::lock_guard lock(run.mutex);
    run.ended = true;
  }
  run.endedSignal.notify_all();
}

std::chrono::milliseconds AgingPauseFromEntry(std::string_view entry) {
  entry = entry.substr(0, 9);
  std::size_t i = 0;
  while (i < entry.size() && std::string_view(" \t\n\v\f\r").find(entry[i]) != std::string_view::npos) ++i;
  bool negative = false;
  if (i < entry.size() && (entry[i] == '+' || entry[i] == '-')) negative = entry[i++] == '-';
  std::int64_t seconds = 0;
  for (; i < entry.size() && entry[i] >= '0' && entry[i] <= '9'; ++i) seconds = seconds * 10 + (entry[i] - '0');
  if (negative) return std::chrono::milliseconds(0);
  const std::int64_t limit = std::numeric_limits<std::int32_t>::max();
  return std::chrono::milliseconds(std::min(seconds * 1000, limit));
}
