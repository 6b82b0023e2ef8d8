#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

#include "fakes/fake_panel.h"
#include "link/printer_link.h"

namespace {

// A driver that checks, from any thread, that no write reaches a closed
// connection and that no two writes overlap.
class CheckingDriver : public PortDriver {
 public:
  PortHandle OpenSerial(const std::string&, const LineSettings&) override { return Open(); }
  PortHandle OpenParallel(const std::string&) override { return Open(); }
  std::vector<std::string> ListUsbPrinters() override { return {}; }
  PortHandle OpenUsb(const std::string&) override { return Open(); }
  void Write(PortHandle port, const std::uint8_t* bytes, std::size_t count) override {
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
    writing_ = false;
  }
  void Close(PortHandle port) override {
    std::lock_guard lock(mutex_);
    open_.erase(port);
  }
  void ShowOpenFailure() override {}

  std::atomic<int> writes{0}, overlaps{0}, writesToClosed{0}, tornRuns{0};

 private:
  PortHandle Open() {
    std::lock_guard lock(mutex_);
    PortHandle p = reinterpret_cast<PortHandle>(++next_);
    open_.insert(p);
    return p;
  }
  std::mutex mutex_;
  std::set<PortHandle> open_;
  std::uintptr_t next_ = 0;
  std::atomic<bool> writing_{false};
};

TEST(PrinterLinkThreads, WorkerWritesWhileTheInterfaceThreadResets) {
  CheckingDriver driver;
  SerialSettings settings;
  PrinterLink link(driver, settings);
  FakePanel panel;
  link.SelectPortKind(panel, PortKind::Serial);

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    const std::string pattern(220, 'W');
    while (!stop) link.SendBytes(pattern);
  });
  const std::string run(64, 'U');
  for (int i = 0; i < 2000; ++i) {
    link.SendBytes(run);
    link.ResetAfterSend();
    if (i % 500 == 0) link.SelectPortKind(panel, i % 1000 ? PortKind::Serial : PortKind::Parallel);
  }
  stop = true;
  worker.join();

  EXPECT_GT(driver.writes, 2000);
  EXPECT_EQ(driver.overlaps, 0);
  EXPECT_EQ(driver.writesToClosed, 0);
  EXPECT_EQ(driver.tornRuns, 0);
}

}  // namespace

namespace {

// Records which thread wrote each run, in line order.
class OrderDriver : public PortDriver {
 public:
  PortHandle OpenSerial(const std::string&, const LineSettings&) override { return this; }
  PortHandle OpenParallel(const std::string&) override { return this; }
  std::vector<std::string> ListUsbPrinters() override { return {}; }
  PortHandle OpenUsb(const std::string&) override { return this; }
  void Write(PortHandle, const std::uint8_t* bytes, std::size_t count) override {
    std::lock_guard lock(mutex_);
    line.emplace_back(reinterpret_cast<const char*>(bytes), count);
  }
  void Close(PortHandle) override {
    std::lock_guard lock(mutex_);
    line.emplace_back("close");
  }
  void ShowOpenFailure() override {}

  std::mutex mutex_;
  std::vector<std::string> line;
};

TEST(PrinterLinkThreads, AnotherWriterFallsBetweenPressesNeverInside) {
  OrderDriver driver;
  SerialSettings settings;
  PrinterLink link(driver, settings);
  FakePanel panel;
  link.SelectPortKind(panel, PortKind::Serial);

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) link.SendBytes("W");
  });
  for (int press = 0; press < 300; ++press) {
    PrinterLink::PressHold hold(link);
    for (const char* run : {"a", "b", "c"}) link.SendBytes(run);
    link.ResetAfterSend();
  }
  stop = true;
  worker.join();

  // Every press reads a, b, c, close as one block.
  int presses = 0;
  for (std::size_t i = 0; i < driver.line.size(); ++i) {
    if (driver.line[i] != "a") continue;
    ASSERT_LT(i + 3, driver.line.size());
    EXPECT_EQ(driver.line[i + 1], "b");
    EXPECT_EQ(driver.line[i + 2], "c");
    EXPECT_EQ(driver.line[i + 3], "close");
    ++presses;
  }
  EXPECT_EQ(presses, 300);
}

}  // namespace

namespace {

TEST(PrinterLinkThreads, TheCustomSendersOpenWriteAndCloseAreOneBlock) {
  OrderDriver driver;
  SerialSettings settings;
  PrinterLink link(driver, settings);
  FakePanel panel;
  link.SelectPortKind(panel, PortKind::Serial);

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) link.SendBytes("W");
  });
  for (int press = 0; press < 300; ++press) {
    PrinterLink::DirectSend send(link, PortKind::Parallel);
    for (const char* run : {"f", "c"}) send.Write(reinterpret_cast<const std::uint8_t*>(run), 1);
  }
  stop = true;
  worker.join();

  int presses = 0;
  for (std::size_t i = 0; i < driver.line.size(); ++i) {
    if (driver.line[i] != "f") continue;
    ASSERT_LT(i + 2, driver.line.size());
    EXPECT_EQ(driver.line[i + 1], "c");
    EXPECT_EQ(driver.line[i + 2], "close");
    ++presses;
  }
  EXPECT_EQ(presses, 300);
}

}  // namespace
