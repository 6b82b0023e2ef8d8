#include "link/press_runner.h"

#include "link/printer_link.h"

void RunPress(PrinterLink& link, std::uint64_t total, const PressWrites& writes) {
  if (PressRunner* runner = link.Runner()) runner->Run(total, writes);
  else writes(nullptr);
}

PressThread::PressThread(PressMonitor& monitor, PressWrites writes)
    : monitor_(monitor), thread_([this, writes = std::move(writes)] {
        writes(&monitor_);
        std::lock_guard lock(mutex_);
        done_ = true;
        doneChanged_.notify_all();
      }) {}

PressThread::~PressThread() {
  monitor_.Cancel();
  thread_.join();
}

bool PressThread::WaitDone(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return doneChanged_.wait_for(lock, timeout, [this] { return done_; });
}
