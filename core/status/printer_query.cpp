#include "status/printer_query.h"

#include <span>

#include "link/transport.h"
#include "status/status_tables.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t DLE = 0x10, EOT = 0x04, GS = 0x1D;
// Bytes thrown away before a request at most: a line that never stops
// talking must not hold the query.
constexpr std::size_t kMaxStale = 4096;

// One request and the wait for its answer on the connection.
class Asker {
 public:
  Asker(Connection& connection, std::chrono::milliseconds timeout) : connection_(connection), timeout_(timeout) {}

  bool failed() const { return failed_; }
  bool sawStray() const { return stray_; }
  const std::string& failure() const { return failure_; }

  // The first byte `accept` takes within the time-out; other bytes are stray.
  std::optional<std::uint8_t> AskByte(std::uint8_t b0, std::uint8_t b1, std::uint8_t n, bool (*accept)(std::uint8_t)) {
    if (!Send(b0, b1, n)) return std::nullopt;
    std::optional<std::uint8_t> answer;
    ReadUntil([&](std::uint8_t b) {
      if (accept(b)) answer = b;
      else stray_ = true;
      return answer.has_value();
    });
    return answer;
  }

  // A text answer: header, at most kMaxTextLength bytes of text, NUL.
  std::optional<std::string> AskText(std::uint8_t b0, std::uint8_t b1, std::uint8_t n) {
    if (!Send(b0, b1, n)) return std::nullopt;
    std::optional<std::string> text;
    std::string got;
    bool started = false;
    ReadUntil([&](std::uint8_t b) {
      if (!started) {
        started = b == kTextHeader;
        stray_ |= !started;
        return false;
      }
      if (b == 0) {
        text = got;
        return true;
      }
      if (b < 0x20 || got.size() == kMaxTextLength) {  // not a text: look for the next header
        stray_ = true;
        started = b == kTextHeader;
        got.clear();
        return false;
      }
      got.push_back(static_cast<char>(b));
      return false;
    });
    return text;
  }

 private:
  bool Send(std::uint8_t b0, std::uint8_t b1, std::uint8_t n) {
    if (failed_) return false;
    DropStale();
    const std::uint8_t request[] = {b0, b1, n};
    std::size_t written = 0;
    if (!failed_ && !connection_.Write(request, written, failure_)) failed_ = true;
    return !failed_;
  }

  void DropStale() {
    std::uint8_t buffer[256];
    for (std::size_t dropped = 0; dropped < kMaxStale;) {
      std::size_t got = 0;
      if (!connection_.Read(buffer, std::chrono::milliseconds(0), got, failure_)) {
        failed_ = true;
        return;
      }
      if (got == 0) return;
      dropped += got;
    }
  }

  // Feeds arriving bytes to `take` until it returns true or time is up.
  template <class Take>
  void ReadUntil(Take take) {
    const auto deadline = Clock::now() + timeout_;
    std::uint8_t buffer[128];
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
      std::size_t got = 0;
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
      if (!connection_.Read(buffer, left, got, failure_)) {
        failed_ = true;
        return;
      }
      if (got == 0) return;
      for (std::size_t i = 0; i < got; ++i)
        if (take(buffer[i])) return;
    }
  }

  Connection& connection_;
  std::chrono::milliseconds timeout_;
  bool failed_ = false;
  bool stray_ = false;
  std::string failure_;
};

void AskIdentity(Asker& asker, PrinterAnswers& answers) {
  bool skipBytes = false, skipTexts = false;
  for (const IdentityRequest& r : IdentityRequests()) {
    bool& skip = r.text ? skipTexts : skipBytes;
    if (skip) continue;
    std::optional<std::string> value;
    if (r.text) {
      value = asker.AskText(GS, 'I', r.n);
    } else if (const auto b = asker.AskByte(GS, 'I', r.n, IsIdentityByte)) {
      value = std::string(1, static_cast<char>(*b));
    }
    if (asker.failed()) return;
    if (!value) {
      if (answers.identity.empty()) return;  // no model id: the printer does not tell who it is
      skip = true;
      continue;
    }
    answers.identity.push_back({r.n, std::move(*value)});
  }
}

}  // namespace

PrinterAnswers QueryPrinter(Connection& connection, std::chrono::milliseconds timeout) {
  PrinterAnswers answers;
  Asker asker(connection, timeout);
  for (const StatusRequest& r : StatusRequests()) {
    auto& slot = answers.status[r.n - 1];
    slot = asker.AskByte(DLE, EOT, r.n, IsStatusByte);
    if (asker.failed() || (r.n == 1 && !slot)) break;
  }
  if (!answers.status[0]) {
    using O = PrinterAnswers::Outcome;
    answers.outcome = asker.failed() ? O::Failed : asker.sawStray() ? O::Garbled : O::Silent;
    answers.failure = asker.failure();
    return answers;
  }
  answers.outcome = PrinterAnswers::Outcome::Answered;
  if (!(*answers.status[0] & kOfflineBit)) AskIdentity(asker, answers);
  return answers;
}
