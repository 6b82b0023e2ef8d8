#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <numeric>
#include <thread>

#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "fakes/simple_ports.h"
#include "link/press_runner.h"
#include "link/press_texts.h"
#include "link/printer_link.h"
#include "panels/command_panel.h"
#include "panels/interface_choice.h"
#include "support/hex.h"

namespace {

using std::chrono::milliseconds;

// A clock the test moves.
struct TestClock {
  milliseconds now{0};
  PressMonitor::Clock clock() {
    return [this] { return now; };
  }
};

// Runs each press right here with a monitor; `onPiece` sees every piece.
struct InlineRunner : PressRunner {
  void Run(std::uint64_t total, const PressWrites& writes) override {
    PressMonitor monitor(total, time.clock());
    monitor.onPiece = [&](const PressProgress& p) {
      seen.push_back(p.sent);
      if (cancelAt && p.sent >= cancelAt) monitor.Cancel();
    };
    writes(&monitor);
    last = monitor.Progress();
  }
  TestClock time;
  std::uint64_t cancelAt = 0;
  std::vector<std::uint64_t> seen;
  PressProgress last;
};

std::vector<std::size_t> Sizes(const std::vector<std::vector<std::uint8_t>>& runs) {
  std::vector<std::size_t> sizes;
  for (const auto& r : runs) sizes.push_back(r.size());
  return sizes;
}

class PressTest : public ::testing::Test {
 protected:
  PressTest() {
    settings.baudRate = 115200;
    link.SetRunner(&runner);
    ChooseInterface(panel, link, PortKind::Serial);
  }
  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;
  InlineRunner runner;
};

TEST_F(PressTest, LongRunsGoInPiecesShortOnesWholeAndProgressRisesInOrder) {
  const struct {
    std::uint32_t baud;  // a piece is half a second of a serial line, 256 to 4096 bytes
    std::vector<std::size_t> runs;
    std::vector<std::size_t> writes;
  } rows[] = {
      {115200, {100}, {100}},
      {115200, {4096, 1}, {4096, 1}},
      {115200, {10000, 100}, {4096, 4096, 1808, 100}},
      {115200, {8193}, {4096, 4096, 1}},
      {9600, {1000, 480}, {480, 480, 40, 480}},
      {2400, {600}, {256, 256, 88}},
  };
  for (const auto& row : rows) {
    settings.baudRate = row.baud;
    ChooseInterface(panel, link, PortKind::Serial);
    Transmission t;
    std::string expected;
    for (std::size_t i = 0; i < row.runs.size(); ++i) {
      t.runs.emplace_back(row.runs[i], static_cast<char>('a' + i));
      expected += t.runs.back();
    }
    const std::size_t mark = driver.records.size();
    runner.seen.clear();
    SendTransmission(link, t);
    const auto& writes = driver.records[mark - 1]->writes;  // the connection open before the press
    EXPECT_EQ(Sizes(writes), row.writes);
    std::string got;
    for (const auto& w : writes) got.append(w.begin(), w.end());
    EXPECT_EQ(got, expected);
    std::vector<std::uint64_t> sums(row.writes.size());
    std::partial_sum(row.writes.begin(), row.writes.end(), sums.begin());
    EXPECT_EQ(runner.seen, sums);
    EXPECT_EQ(runner.last.total, expected.size());
  }
}

TEST_F(PressTest, CancelStopsAtAPieceBoundarySendsNothingMoreAndSkipsTheReset) {
  runner.cancelAt = 4096;
  const std::size_t mark = driver.events.size();
  SendTransmission(link, Transmission{{std::string(10000, 'x'), "tail"}, 2});
  EXPECT_EQ(std::vector<std::string>(driver.events.begin() + static_cast<long>(mark), driver.events.end()),
            (std::vector<std::string>{"write serial:com1"}));
  EXPECT_EQ(runner.last.sent, 4096u);
  EXPECT_EQ(runner.last.total, 2 * 10004u);
  EXPECT_TRUE(runner.last.stopped);

  runner.cancelAt = 0;  // the next press is whole again, with its reset
  SendTransmission(link, Transmission{{"next"}});
  EXPECT_EQ(driver.events.back(), "open serial:com1");
  EXPECT_EQ(Sizes(driver.RunsTo("serial:com1")).back(), 4u);
}

TEST(PressFigures, RateAndTimeLeftFromTheBytesSentSinceTheBase) {
  const struct {
    std::uint64_t sent, total;
    int elapsedMs;
    std::uint64_t baseSent;
    int baseMs;
    std::uint64_t rate;
    std::optional<std::uint64_t> left;
  } rows[] = {
      {0, 783486, 500, 0, 0, 0, std::nullopt},
      {960, 783486, 1000, 0, 0, 960, 816},  // 782526 / 960 = 815.1, rounded up
      {4096, 4096, 2000, 0, 0, 2048, 0},
      {100, 200, 0, 0, 0, 0, std::nullopt},
      {24000, 783486, 10000, 19200, 5000, 960, 792},  // a burst of 19200 at the start left out
  };
  for (const auto& r : rows) {
    const PressFigures f = FiguresFor({r.sent, r.total, milliseconds(r.elapsedMs), false},
                                      {r.baseSent, r.total, milliseconds(r.baseMs), false});
    EXPECT_EQ(f.bytesPerSecond, r.rate);
    EXPECT_EQ(f.secondsLeft, r.left);
  }
}

TEST(PressFigures, TheBaseIsTheLatestSampleFiveSecondsOldOrTheStart) {
  RateBase base;
  std::vector<std::uint64_t> from;
  for (int s = 0; s <= 8; ++s) from.push_back(base.From({100ull * s, 1000, milliseconds(1000 * s), false}).sent);
  EXPECT_EQ(from, (std::vector<std::uint64_t>{0, 0, 0, 0, 0, 0, 100, 200, 300}));
}

TEST(PressTexts, TheProgressWindowsLinesAndTheCancelMessage) {
  const PressProgress cancelled{4096, 783486, milliseconds(1000), true};
  const PressProgress running{960, 783486, milliseconds(1000), false};
  const struct {
    std::string text;
    const char* hex;
  } rows[] = {
      {press_texts::Cancelled(cancelled),  // 已发送 4096 / 783486 字节，已取消
       "D2 D1 B7 A2 CB CD 20 34 30 39 36 20 2F 20 37 38 33 34 38 36 20 D7 D6 BD DA A3 AC D2 D1 C8 A1 CF FB"},
      {press_texts::RateAndTimeLeft(running),  // 960 字节/秒，剩余 13:36
       "39 36 30 20 D7 D6 BD DA 2F C3 EB A3 AC CA A3 D3 E0 20 31 33 3A 33 36"},
      {press_texts::RateAndTimeLeft({0, 10, milliseconds(600), false}), ""},
      {press_texts::kSending, "D5 FD D4 DA B7 A2 CB CD A1 AD"},  // 正在发送…
  };
  for (const auto& r : rows) EXPECT_EQ(ToHex(Ascii(r.text)), r.hex);
}

// A port whose writes each wait until the test lets them through (or the
// press is cancelled, for an ending program), recording pieces and closes.
class GatedPorts : public SimplePorts {
 public:
  Handle OpenPort(const Endpoint&) override { return this; }
  void WritePort(Handle, const std::uint8_t* bytes, std::size_t count) override {
    std::unique_lock lock(mutex_);
    ++entered_;
    changed_.notify_all();
    while (!(released_ >= entered_ || (openWhen_ && openWhen_()))) changed_.wait_for(lock, milliseconds(1));
    line.emplace_back(reinterpret_cast<const char*>(bytes), count);
  }
  void ClosePort(Handle) override {
    std::lock_guard lock(mutex_);
    line.emplace_back("close");
  }
  // Waits until the n-th write is in progress.
  void WaitEntered(int n) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return entered_ >= n; });
  }
  void Release() {
    std::lock_guard lock(mutex_);
    ++released_;
    changed_.notify_all();
  }
  std::vector<std::string> Line() {
    std::lock_guard lock(mutex_);
    return line;
  }

  // Lets every write through once `open` holds.
  void OpenWhen(std::function<bool()> open) {
    std::lock_guard lock(mutex_);
    openWhen_ = std::move(open);
  }

 private:
  std::function<bool()> openWhen_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int entered_ = 0, released_ = 0;
  std::vector<std::string> line;
};

// Runs each press on a worker thread while `meanwhile` steps it from the
// test's thread, as a front end does.
struct WorkerRunner : PressRunner {
  void Run(std::uint64_t total, const PressWrites& writes) override {
    PressMonitor monitor(total, time.clock());
    auto thread = std::make_unique<PressThread>(monitor, writes);
    meanwhile(monitor, thread);
    if (thread) thread->WaitDone(milliseconds(60'000));
  }
  TestClock time;
  std::function<void(PressMonitor&, std::unique_ptr<PressThread>&)> meanwhile;
};

class PressThreadTest : public ::testing::Test {
 protected:
  PressThreadTest() {
    settings.baudRate = 115200;
    link.SetRunner(&runner);
    ChooseInterface(panel, link, PortKind::Serial);
  }
  void Press(std::size_t bytes) { SendTransmission(link, Transmission{{std::string(bytes, 'p')}}); }
  std::vector<std::string> Pieces(std::initializer_list<std::size_t> sizes, bool reset) {
    std::vector<std::string> line;
    for (std::size_t s : sizes) line.emplace_back(s, 'p');
    if (reset) line.emplace_back("close");
    return line;
  }

  GatedPorts ports;
  SerialSettings settings;
  PrinterLink link{ports, ports, settings};
  FakePanel panel;
  WorkerRunner runner;
};

TEST_F(PressThreadTest, TheCallerFollowsEachPieceWhileTheWorkerWrites) {
  std::vector<std::uint64_t> sentWhileWriting;
  runner.meanwhile = [&](PressMonitor& monitor, std::unique_ptr<PressThread>& thread) {
    for (int piece = 1; piece <= 3; ++piece) {
      ports.WaitEntered(piece);
      EXPECT_FALSE(thread->WaitDone(milliseconds(0)));
      sentWhileWriting.push_back(monitor.Progress().sent);
      runner.time.now += milliseconds(1000);
      ports.Release();
    }
    EXPECT_TRUE(thread->WaitDone(milliseconds(60'000)));
    EXPECT_EQ(monitor.Progress().sent, 9000u);
    EXPECT_EQ(FiguresFor(monitor.Progress()).bytesPerSecond, 3000u);
  };
  Press(9000);
  EXPECT_EQ(sentWhileWriting, (std::vector<std::uint64_t>{0, 4096, 8192}));
  EXPECT_EQ(ports.Line(), Pieces({4096, 4096, 808}, true));
}

TEST_F(PressThreadTest, CancelWhileAPieceIsWrittenEndsAfterItWithoutReset) {
  runner.meanwhile = [&](PressMonitor& monitor, std::unique_ptr<PressThread>&) {
    ports.Release();
    ports.WaitEntered(2);
    monitor.Cancel();
    ports.Release();
  };
  Press(20000);
  EXPECT_EQ(ports.Line(), Pieces({4096, 4096}, false));
}

TEST_F(PressThreadTest, AnEndingProgramCancelsThePressAndWaitsForItsPiece) {
  runner.meanwhile = [&](PressMonitor& monitor, std::unique_ptr<PressThread>& thread) {
    ports.OpenWhen([&] { return monitor.Cancelled(); });
    ports.WaitEntered(1);
    thread.reset();  // what the front end's exit does
  };
  Press(20000);
  link.CloseAll();
  EXPECT_EQ(ports.Line(), Pieces({4096}, true));
}

}  // namespace
