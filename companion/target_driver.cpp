#include "target_driver.h"

#include <algorithm>

namespace {
constexpr std::size_t kChunk = 4096;  // progress is shown between chunks
}

PortHandle TargetPortDriver::Open(const LineSettings& line) {
  if (!error_.empty()) return nullptr;
  if (!opened_ && !sink_.Open(line, error_)) return nullptr;
  opened_ = true;
  return this;
}

PortHandle TargetPortDriver::OpenSerial(const std::string&, const LineSettings& line) { return Open(line); }
PortHandle TargetPortDriver::OpenParallel(const std::string&) { return Open(LineSettings{}); }
std::vector<std::string> TargetPortDriver::ListUsbPrinters() { return {name_}; }
PortHandle TargetPortDriver::OpenUsb(const std::string&) { return Open(LineSettings{}); }
void TargetPortDriver::Close(PortHandle) {}

void TargetPortDriver::Write(PortHandle, const std::uint8_t* bytes, std::size_t count) {
  if (!error_.empty()) return;
  ++writes_;
  for (std::size_t at = 0; at < count;) {
    const std::size_t n = std::min(kChunk, count - at);
    if (!sink_.Write(bytes + at, n, error_)) return;
    at += n;
    bytes_ += n;
    ShowProgress(false);
  }
}

void TargetPortDriver::ShowOpenFailure() {
  if (error_.empty()) error_ = "cannot open " + name_;
}

void TargetPortDriver::ShowProgress(bool last) {
  if (progress_ == nullptr) return;
  const auto now = std::chrono::steady_clock::now();
  if (!last && (bytes_ < 64 * 1024 || now - lastShown_ < std::chrono::milliseconds(200))) return;
  if (last && !shown_) return;
  lastShown_ = now;
  shown_ = true;
  std::fprintf(progress_, "\r%zu bytes sent to %s%s", bytes_, name_.c_str(), last ? "\n" : "");
  std::fflush(progress_);
}

bool TargetPortDriver::Finish() {
  if (!finished_) {
    finished_ = true;
    ShowProgress(true);
    std::string error;
    if (opened_ && !sink_.Finish(error) && error_.empty()) error_ = error;
  }
  return error_.empty();
}
