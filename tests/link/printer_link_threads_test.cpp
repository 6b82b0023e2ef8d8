#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

#include "fakes/fake_panel.h"
#include "fakes/simple_ports.h"
#include "link/press_monitor.h"
#include "link/printer_link.h"
#include "panels/interface_choice.h"

namespace {

// A driver that checks, from any thread, that no write reaches a closed
// connection and that no two writes overlap.
class CheckingDriver : public SimplePorts {
 public:
  Handle OpenPort(const Endpoint&) override { return Open(); }
  void WritePort(Handle port, const std::uint8_t* bytes, std::size_t count) override {
    if (writing_.exchange(true)) overlaps++;
    {
      std::lock_guard lock(mutex_);
      if (!open_.count(port)) writesToClosed++;
    }
    // Check the run arrives whole: every byte equals the first.
    for (std::size_t i = 1; i < count; ++i)
      if (bytes[i] != bytes[0]) tornRuns++;
    std::this_thread::yield();
    writes++;
    if (count > 0 && bytes[0] == 'W') workerWrites++;
    writing_ = false;
  }
  void ClosePort(Handle port) override {
    std::lock_guard lock(mutex_);
    open_.erase(port);
  }

  std::atomic<int> writes{0}, workerWrites{0}, overlaps{0}, writesToClosed{0}, tornRuns{0};

 private:
  Handle Open() {
    std::lock_guard lock(mutex_);
    Handle p = reinterpret_cast<Handle>(++next_);
    open_.insert(p);
    return p;
  }
  std::mutex mutex_;
  std::set<Handle> open_;
  std::uintptr_t next_ = 0;
  std::atomic<bool> writing_{false};
};

TEST(PrinterLinkThreads, WorkerWritesWhileTheInterfaceThreadResets) {
  CheckingDriver driver;
  SerialSettings settings;
  PrinterLink link(driver, driver, settings);
  FakePanel panel;
  ChooseInterface(panel, link, PortKind::Serial);

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    const std::string pattern(220, 'W');
    while (!stop) link.SendBytes(pattern);
  });
  const std::string run(64, 'U');
  // Goes on past 2000 presses until the worker has got in, within a bound.
  for (int i = 0; i < 2000 || (driver.workerWrites == 0 && i < 200000); ++i) {
    link.SendBytes(run);
    link.ResetAfterSend();
    if (i % 500 == 0) ChooseInterface(panel, link, i % 1000 ? PortKind::Serial : PortKind::Parallel);
  }
  stop = true;
  worker.join();

  EXPECT_GT(driver.workerWrites, 0);
  EXPECT_EQ(driver.overlaps, 0);
  EXPECT_EQ(driver.writesToClosed, 0);
  EXPECT_EQ(driver.tornRuns, 0);
}

}  // namespace

namespace {

// Records which thread wrote each run, in line order.
class OrderDriver : public SimplePorts {
 public:
  Handle OpenPort(const Endpoint&) override { return this; }
  void WritePort(Handle, const std::uint8_t* bytes, std::size_t count) override {
    std::lock_guard lock(mutex_);
    line.emplace_back(reinterpret_cast<const char*>(bytes), count);
  }
  void ClosePort(Handle) override {
    std::lock_guard lock(mutex_);
    line.emplace_back("close");
  }

  std::mutex mutex_;
  std::vector<std::string> line;
};

// Runs `press` 300 times while a second thread writes "W" back to back,
// and counts how often `block` stands on the line unbroken.
template <typename Press>
int UnbrokenBlocks(const std::vector<std::string>& block, Press press) {
  OrderDriver driver;
  SerialSettings settings;
  PrinterLink link(driver, driver, settings);
  FakePanel panel;
  ChooseInterface(panel, link, PortKind::Serial);

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) link.SendBytes("W");
  });
  for (int i = 0; i < 300; ++i) press(link);
  stop = true;
  worker.join();

  int blocks = 0;
  for (std::size_t i = 0; i + block.size() <= driver.line.size(); ++i)
    blocks += std::equal(block.begin(), block.end(), driver.line.begin() + static_cast<long>(i));
  return blocks;
}

TEST(PrinterLinkThreads, AnotherWriterFallsBetweenPressesNeverInside) {
  EXPECT_EQ(UnbrokenBlocks({"a", "b", "c", "close"},
                           [](PrinterLink& link) {
                             PrinterLink::PressHold hold(link);
                             for (const char* run : {"a", "b", "c"}) link.SendBytes(run);
                             link.ResetAfterSend();
                           }),
            300);
}

TEST(PrinterLinkThreads, ThePiecesOfAFollowedPressAreOneBlock) {
  // 9600 baud: pieces of 480 bytes.
  EXPECT_EQ(UnbrokenBlocks({std::string(480, 'a'), std::string(480, 'a'), std::string(40, 'a'), "close"},
                           [](PrinterLink& link) {
                             PressMonitor monitor(1000);
                             PrinterLink::PressHold hold(link, &monitor);
                             link.SendBytes(std::string(1000, 'a'));
                             link.ResetAfterSend();
                           }),
            300);
}

TEST(PrinterLinkThreads, TheCustomSendersOpenWriteAndCloseAreOneBlock) {
  EXPECT_EQ(UnbrokenBlocks({"f", "c", "close"},
                           [](PrinterLink& link) {
                             PrinterLink::DirectSend send(link, PortKind::Parallel);
                             for (const char* run : {"f", "c"})
                               send.Write(reinterpret_cast<const std::uint8_t*>(run), 1);
                           }),
            300);
}

}  // namespace
