#include "perf/aging_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_panel.h"
#include "fakes/simple_ports.h"
#include "link/printer_link.h"
#include "panels/command_panel.h"
#include "panels/interface_choice.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A number per thread, never reused (thread ids are, once joined).
int ThreadNumber() {
  static std::atomic<int> next{0};
  thread_local const int mine = ++next;
  return mine;
}

// A port that any thread may write to: it keeps each write with its
// writer's thread, can hold writes until released, and lets the test wait
// for a number of writes.
class ThreadedDriver : public SimplePorts {
 public:
  struct Entry {
    std::string bytes;
    int writer;  // ThreadNumber()
  };

  Handle OpenPort(const Endpoint&) override { return Log("open"); }
  void ClosePort(Handle) override { Log("close"); }
  void WritePort(Handle, const std::uint8_t* bytes, std::size_t count) override {
    std::unique_lock lock(mutex_);
    ++held_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !holdWrites_; });
    --held_;
    line_.push_back({std::string(reinterpret_cast<const char*>(bytes), count), ThreadNumber()});
    ++writes_;
    changed_.notify_all();
  }

  bool WaitForWrites(std::size_t n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [&] { return writes_ >= n; });
  }
  std::size_t WriteCount() {
    std::lock_guard lock(mutex_);
    return writes_;
  }
  bool WaitForHeldWrite() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [&] { return held_ > 0 && holdWrites_; });
  }
  void HoldWrites(bool hold) {
    std::lock_guard lock(mutex_);
    holdWrites_ = hold;
    changed_.notify_all();
  }
  std::vector<Entry> Line() {
    std::lock_guard lock(mutex_);
    return line_;
  }

 private:
  Handle Log(const char* what) {
    std::lock_guard lock(mutex_);
    line_.push_back({what, ThreadNumber()});
    return this;
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Entry> line_;  // writes, opens and closes
  std::size_t writes_ = 0;
  int held_ = 0;  // writes waiting to be let through
  bool holdWrites_ = false;
};

struct AgingWorkerTest : ::testing::Test {
  void SetUp() override {
    ChooseInterface(panel, link, PortKind::Serial);
  }
  std::vector<ThreadedDriver::Entry> Writes() {
    std::vector<ThreadedDriver::Entry> writes;
    for (const auto& w : driver.Line())
      if (w.bytes != "open" && w.bytes != "close") writes.push_back(w);
    return writes;
  }

  ThreadedDriver driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;
};

// Waits without waiting: the pause is only noted.
struct NotedPauses {
  AgingWorker::PauseWait Wait() {
    return [this](std::chrono::milliseconds pause, StopRequest&) {
      std::lock_guard lock(mutex);
      pauses.push_back(pause);
    };
  }
  std::mutex mutex;
  std::vector<std::chrono::milliseconds> pauses;
};

bool EndsWithin(AgingWorker& worker, std::chrono::seconds limit) {
  const auto end = Clock::now() + limit;
  while (worker.Running())
    if (Clock::now() > end) return false;
    else std::this_thread::sleep_for(1ms);
  return true;
}

// Four lines of 27 "\/" pairs and a line feed.
const std::string kPattern = [] {
  std::string line;
  for (int i = 0; i < 27; ++i) line += "\x5C\x2F";
  line += "\x0A";
  return line + line + line + line;
}();

TEST_F(AgingWorkerTest, Writes3600PatternsEachFollowedByThePause) {
  NotedPauses noted;
  AgingWorker worker(link, noted.Wait());
  worker.Start(5000ms);
  ASSERT_TRUE(EndsWithin(worker, 30s));
  worker.Stop();

  ASSERT_EQ(kPattern.size(), 220u);
  const std::vector<ThreadedDriver::Entry> writes = Writes();
  ASSERT_EQ(writes.size(), 3600u);
  for (const auto& w : writes) ASSERT_EQ(w.bytes, kPattern);
  EXPECT_EQ(noted.pauses, std::vector<std::chrono::milliseconds>(3600, 5000ms));
  for (const auto& w : driver.Line()) EXPECT_NE(w.bytes, "close") << "no reset";
}

TEST_F(AgingWorkerTest, StopCutsThePauseShort) {
  AgingWorker worker(link);  // waits on the stop request for real
  worker.Start(std::chrono::milliseconds(INT32_MAX));
  ASSERT_TRUE(driver.WaitForWrites(1));
  const auto before = Clock::now();
  worker.Stop();
  EXPECT_LT(Clock::now() - before, 5s);
  EXPECT_FALSE(worker.Running());
  EXPECT_EQ(Writes().size(), 1u);
}

// A pause of about a millisecond: a run lasts seconds, not milliseconds.
void BriefPause(std::chrono::milliseconds, StopRequest&) { std::this_thread::sleep_for(1ms); }

TEST_F(AgingWorkerTest, SecondStartReplacesTheRunningRun) {
  NotedPauses noted;
  AgingWorker worker(link, [&](std::chrono::milliseconds pause, StopRequest& stop) {
    noted.Wait()(pause, stop);
    stop.WaitFor(10s);  // until stopped
  });
  worker.Start(1000ms);
  ASSERT_TRUE(driver.WaitForWrites(1));
  worker.Start(2000ms);
  ASSERT_TRUE(driver.WaitForWrites(2));
  worker.Stop();

  const std::vector<ThreadedDriver::Entry> writes = Writes();
  ASSERT_EQ(writes.size(), 2u) << "one write per run, each run then waiting";
  EXPECT_NE(writes[0].writer, writes[1].writer);
  EXPECT_EQ(noted.pauses, (std::vector<std::chrono::milliseconds>{1000ms, 2000ms}));
}

TEST_F(AgingWorkerTest, OneWriterAtMostAcrossRestarts) {
  AgingWorker worker(link, BriefPause);
  for (int start = 0; start < 20; ++start) {
    worker.Start(0ms);
    ASSERT_TRUE(driver.WaitForWrites(driver.WriteCount() + 2));  // the new run writes
  }
  worker.Stop();

  // Each run's writes form one unbroken block: no two runs wrote at once.
  std::set<int> ended;
  int current = 0;
  for (const auto& w : Writes()) {
    if (w.writer == current) continue;
    ASSERT_FALSE(ended.count(w.writer)) << "a replaced run wrote again";
    ended.insert(current);
    current = w.writer;
  }
  EXPECT_EQ(ended.size(), 20u);  // 19 replaced runs, and no writer before the first
}

TEST_F(AgingWorkerTest, DestroyingTheWorkerStopsAndJoinsTheRun) {
  const auto before = Clock::now();
  {
    AgingWorker worker(link);
    worker.Start(3600000ms);
    ASSERT_TRUE(driver.WaitForWrites(1));
  }
  EXPECT_LT(Clock::now() - before, 5s);
  EXPECT_EQ(Writes().size(), 1u);
}

TEST_F(AgingWorkerTest, StopWithinGivesUpOnAWriteThatDoesNotReturn) {
  AgingWorker worker(link);
  driver.HoldWrites(true);
  worker.Start(0ms);
  ASSERT_TRUE(driver.WaitForHeldWrite());
  EXPECT_FALSE(worker.StopWithin(50ms));
  EXPECT_TRUE(worker.Running());
  driver.HoldWrites(false);
  EXPECT_TRUE(worker.StopWithin(5s));
  EXPECT_FALSE(worker.Running());
  EXPECT_LE(Writes().size(), 1u);
}

// A press that waits for the link while the run writes goes before the
// run's next write.
TEST_F(AgingWorkerTest, WaitingPressGoesBeforeTheRunsNextWrite) {
  AgingWorker worker(link, [](std::chrono::milliseconds, StopRequest&) {});  // back to back
  driver.HoldWrites(true);
  worker.Start(0ms);
  ASSERT_TRUE(driver.WaitForHeldWrite());  // the run is inside its first write
  Transmission press;
  press.runs = {"a", "b", "c"};
  std::thread pressing([&] { SendTransmission(link, press); });
  std::this_thread::sleep_for(100ms);  // the press is waiting for the link
  driver.HoldWrites(false);
  pressing.join();
  worker.Stop();

  std::vector<std::string> line;
  for (const auto& e : driver.Line()) line.push_back(e.bytes);
  ASSERT_GE(line.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(line.begin(), line.begin() + 7),
            (std::vector<std::string>{"open", kPattern, "a", "b", "c", "close", "open"}));
}

TEST(AgingPause, FromTheSecondsEntry) {
  const struct {
    const char* entry;
    std::int64_t ms;
  } cases[] = {
      {"5", 5000},           {"1", 1000},           {"", 0},          {"abc", 0},
      {"  7x", 7000},        {"+3", 3000},          {"\t2", 2000},    {"-5", 0},
      {"-0", 0},             {"0", 0},              {"2147483", 2147483000},
      {"2147484", 2147483647}, {"999999999", 2147483647},
      {"1234567890", 2147483647},  // only the first nine characters count
      {"000000001", 1000},   {"0000000001", 0},     {"    12345", 12345000},
  };
  for (const auto& c : cases) EXPECT_EQ(AgingPauseFromEntry(c.entry).count(), c.ms) << "'" << c.entry << "'";
}

}  // namespace
