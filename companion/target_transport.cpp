#include "target_transport.h"

#include <algorithm>

namespace {
constexpr std::size_t kChunk = 4096;  // progress is shown between chunks
}

// What the link holds: the target's connection, left open when dropped.
class TargetTransport::Handle : public Connection {
 public:
  explicit Handle(TargetTransport& owner) : owner_(owner) {}
  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    return owner_.Write(bytes, written, error);
  }
  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
            std::string& error) override {
    got = 0;
    if (owner_.connection_) return owner_.connection_->Read(buffer, timeout, got, error);
    error = "the connection is closed";
    return false;
  }
  bool Finish(std::string&) override { return true; }  // the run finishes it

 private:
  TargetTransport& owner_;
};

TargetTransport::~TargetTransport() = default;

std::unique_ptr<Connection> TargetTransport::Open(const Endpoint& where, std::string& error) {
  if (!error_.empty()) {
    error = error_;
    return nullptr;
  }
  if (!connection_) {
    Endpoint target = target_;
    if (where.kind == TransportKind::Serial) target.line = where.line;
    connection_ = system_.Open(target, error);
    if (!connection_) {
      Fail(error);
      return nullptr;
    }
  }
  return std::make_unique<Handle>(*this);
}

bool TargetTransport::Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) {
  written = 0;
  if (!error_.empty() || !connection_) {
    error = error_.empty() ? "the connection is closed" : error_;
    return false;
  }
  ++writes_;
  while (written < bytes.size()) {
    std::size_t n = 0;
    const bool ok = connection_->Write(bytes.subspan(written, std::min(kChunk, bytes.size() - written)), n, error);
    written += n;
    bytes_ += n;
    if (!ok) {
      Fail(error);
      return false;
    }
    ShowProgress(false);
  }
  return true;
}

void TargetTransport::ShowProgress(bool last) {
  if (progress_ == nullptr) return;
  const auto now = std::chrono::steady_clock::now();
  if (!last && (bytes_ < 64 * 1024 || now - lastShown_ < std::chrono::milliseconds(200))) return;
  if (last && !shown_) return;
  lastShown_ = now;
  shown_ = true;
  std::fprintf(progress_, "\r%zu bytes sent to %s%s", bytes_, name_.c_str(), last ? "\n" : "");
  std::fflush(progress_);
}

bool TargetTransport::Finish() {
  if (!finished_) {
    finished_ = true;
    ShowProgress(true);
    std::string error;
    // After a failure or Ctrl-C nothing waits for the printer's confirmation.
    if (connection_ && error_.empty() && !connection_->Finish(error)) Fail(error);
    connection_.reset();
  }
  return error_.empty();
}
