#include "perf/performance_panel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "fakes/fake_panel.h"
#include "fakes/no_files.h"
#include "fakes/recording_transport.h"
#include "link/printer_link.h"
#include "perf/aging_worker.h"
#include "perf/charset_tables.h"
#include "perf/map_sample_store.h"
#include "support/hex.h"

namespace {

using namespace std::chrono_literals;

// Also notes where each write's bytes came from.
using SourceRecordingDriver = RecordingTransport;

// The aging run's pauses: each is noted, then lasts until the run is stopped.
struct PauseLog {
  void operator()(std::chrono::milliseconds pause, StopRequest& stop) {
    {
      std::lock_guard lock(mutex);
      pauses.push_back(pause);
    }
    paused.notify_all();
    stop.WaitFor(10s);
  }
  bool WaitForPause() {
    std::unique_lock lock(mutex);
    return paused.wait_for(lock, 10s, [this] { return !pauses.empty(); });
  }
  std::mutex mutex;
  std::condition_variable paused;
  std::vector<std::chrono::milliseconds> pauses;
};

// The panel opened on a recording link with the serial port chosen.
struct Harness {
  SourceRecordingDriver driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;
  MapSampleStore jobs;
  NoFiles files;
  PauseLog pauseLog;
  AgingWorker aging{link, [this](std::chrono::milliseconds p, StopRequest& s) { pauseLog(p, s); }};
  PanelServices services{settings, link, jobs, files, aging};
  PerformancePanel logic{services};

  Harness() {
    logic.OnInit(panel);
    logic.OnCommand(panel, kSerialRadioId);
    panel.messages.clear();
  }

  // Clicks a check box: its state flips before the command arrives.
  void Tick(int id) {
    panel.checked[id] = !panel.checked[id];
    logic.OnCommand(panel, id);
  }

  std::vector<Bytes> Press(int id) {
    driver.events.clear();
    const std::size_t before = driver.AllRuns().size();
    logic.OnCommand(panel, id);
    const std::vector<Bytes> all = driver.AllRuns();
    return std::vector<Bytes>(all.begin() + static_cast<long>(before), all.end());
  }

  // Serial port closes and reopens since the last press.
  int Resets() const {
    int n = 0;
    for (std::size_t i = 0; i + 1 < driver.events.size(); ++i)
      n += driver.events[i] == "close serial:com1" && driver.events[i + 1] == "open serial:com1";
    return n;
  }
};

constexpr int kAddLineFeed = 1114, kPrinterType = 1129, kCustomerPrint = 1134, kAgingSeconds = 1008;
constexpr int kFullBlack = 1045, kDriverTest = 1046;

const Bytes kAsciiRun = Hex(
    "20 21 22 23 24 25 26 27 27 29 2A 2B 2C 2D 2E 2F 30 31 32 33 34 35 36 37 37 39 3A 3B 3C 3D 3E 3F"
    "40 41 42 43 44 45 46 47 47 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 55 56 57 57 59 5A 5B 5C 5D 5E 5F"
    "60 61 62 63 64 65 66 67 67 69 6A 6B 6C 6D 6E 6F 70 71 72 73 74 75 76 77 77 79 7A 7B 7C 7D 7E");
const Bytes kRule = Repeat(Hex("A9 A4"), 16);  // ─ x 16
const Bytes kBars = Repeat(Hex("A9 A6"), 16);  // │ x 16

// -同向成行度测试,1/6行距- and its three siblings (同/异 = same/opposite, 行/列 = rows/columns)
const Bytes kRowsSameTitle = Hex("2D CD AC CF F2 B3 C9 D0 D0 B6 C8 B2 E2 CA D4 2C 31 2F 36 D0 D0 BE E0 2D");
const Bytes kRowsOppositeTitle = Hex("2D D2 EC CF F2 B3 C9 D0 D0 B6 C8 B2 E2 CA D4 2C 31 2F 36 D0 D0 BE E0 2D");
const Bytes kColumnsSameTitle = Hex("2D CD AC CF F2 B3 C9 C1 D0 B6 C8 B2 E2 CA D4 2C 31 2F 36 D0 D0 BE E0 2D");
const Bytes kColumnsOppositeTitle = Hex("2D D2 EC CF F2 B3 C9 C1 D0 B6 C8 B2 E2 CA D4 2C 31 2F 36 D0 D0 BE E0 2D");

std::vector<Bytes> Times(const Bytes& run, int n) { return std::vector<Bytes>(n, run); }

std::vector<Bytes> SameDirection(const Bytes& title, const Bytes& element) {
  std::vector<Bytes> runs{Hex("1B 32"), title, Hex("0A")};
  runs.insert(runs.end(), 60, element);
  return runs;
}

std::vector<Bytes> OppositeDirections(const Bytes& title, const Bytes& element) {
  std::vector<Bytes> runs{Hex("1B 32"), title, Hex("0A")};
  for (int pair = 0; pair < 30; ++pair)
    for (const Bytes& run : {Hex("0A 0A 0A"), Hex("3C"), element, Hex("1B 6A 18"), Hex("3E"), element})
      runs.push_back(run);
  return runs;
}

struct FixedButton {
  int id;
  const char* caption;
  bool lineFeed;  // +换行指令
  std::vector<Bytes> runs;
};

TEST(PerformancePanel, FixedButtonsWriteTheirRunsThenResetOnce) {
  const Bytes olympic = Hex("B1 B1 BE A9 B0 C2 D4 CB BB E1 BB 0A");  // 北京奥运会, BB, LF
  const FixedButton buttons[] = {
      {1124, "95个英文字符×30次", false, Times(kAsciiRun, 30)},
      {1125, "满行30字符", false, {Ascii("012345678901234567890123456789")}},
      {1125, "满行30字符 +换行", true, {Ascii("012345678901234567890123456789"), Hex("0A")}},
      {1126, "满行32字符", false, {Ascii("01234567890123456789012345678901")}},
      {1126, "满行32字符 +换行", true, {Ascii("01234567890123456789012345678901"), Hex("0A")}},
      {1127, "满行40字符", false, {Ascii("0123456789012345678901234567890123456789")}},
      {1127, "满行40字符 +换行", true, {Ascii("0123456789012345678901234567890123456789"), Hex("0A")}},
      {1128, "满行42字符", false, {Ascii("012345678901234567890123456789012345678901")}},
      {1128, "满行42字符 +换行", true, {Ascii("012345678901234567890123456789012345678901"), Hex("0A")}},
      {1139, "北京奥运会", false, {olympic}},
      {1139, "北京奥运会 +换行", true, {olympic, Hex("0A")}},
      {1036, "同向成行度", false, SameDirection(kRowsSameTitle, kRule)},
      {1080, "同向成列度", false, SameDirection(kColumnsSameTitle, kBars)},
      {1037, "异向成行度", false, OppositeDirections(kRowsOppositeTitle, kRule)},
      {1081, "异向成列度", false, OppositeDirections(kColumnsOppositeTitle, kBars)},
  };
  for (const FixedButton& b : buttons) {
    Harness h;
    h.panel.checked[kAddLineFeed] = b.lineFeed;
    EXPECT_EQ(h.Press(b.id), b.runs) << b.caption;
    EXPECT_EQ(h.Resets(), 1) << b.caption;
  }
}

TEST(PerformancePanel, WritesAndSizesAsStated) {
  const struct {
    int id;
    std::size_t writes, bytes;
  } cases[] = {{1124, 30, 2850}, {1036, 63, 1947}, {1080, 63, 1947}, {1037, 183, 2187},
               {1081, 183, 2187}, {1078, 1, 4862}, {1083, 1, 1850}};
  for (const auto& c : cases) {
    Harness h;
    const std::vector<Bytes> runs = h.Press(c.id);
    std::size_t total = 0;
    for (const Bytes& r : runs) total += r.size();
    EXPECT_EQ(runs.size(), c.writes) << c.id;
    EXPECT_EQ(total, c.bytes) << c.id;
  }
}

TEST(PerformancePanel, CharacterSetTablesGoOutWholeAsTheSharedTables) {
  Harness h;
  EXPECT_EQ(h.Press(1078), std::vector<Bytes>{Ascii(Gb2312Table())});
  EXPECT_EQ(h.Press(1083), std::vector<Bytes>{Ascii(Gb18030Table())});
  EXPECT_EQ(h.Resets(), 1);
}

TEST(PerformancePanel, ListsAreFilledInOrderWithTheFirstItemSelected) {
  const struct {
    int list;
    std::vector<std::string> items;
  } lists[] = {
      {1129,
       {"C8 C8 C3 F4 B4 F2 D3 A1 BB FA",                                   // 热敏打印机
        "35 31 35 4B C8 AB CF B5 C1 D0 5F 45 50 53 4F 4E C4 A3 CA BD",     // 515K全系列_EPSON模式
        "35 31 35 4B C8 AB CF B5 C1 D0 5F 53 54 41 52 C4 A3 CA BD",        // 515K全系列_STAR模式
        "35 38 35 4B C8 AB CF B5 C1 D0 5F 45 50 53 4F 4E C4 A3 CA BD",     // 585K全系列_EPSON模式
        "35 38 35 4B C8 AB CF B5 C1 D0 5F 53 54 41 52 C4 A3 CA BD",        // 585K全系列_STAR模式
        "36 33 36 4B C8 AB CF B5 C1 D0 5F 45 50 53 4F 4E C4 A3 CA BD",     // 636K全系列_EPSON模式
        "36 33 36 4B C8 AB CF B5 C1 D0 5F 4F 4B 49 C4 A3 CA BD"}},         // 636K全系列_OKI模式
      {1130, {"BF CD BB A7 BC D7", "BF CD BB A7 D2 D2", "BF CD BB A7 B1 FB 4C 4F 47 4F"}},  // 客户甲 乙 丙LOGO
      {1131, {"BF CD BB A7 B6 A1", "BF CD BB A7 CE EC"}},                                  // 客户丁 戊
      {1132, {"BF CD BB A7 BC BA"}},                                                       // 客户己
      {1133, {"BF CD BB A7 B8 FD 28 50 4F 53 29", "BF CD BB A7 B8 FD 28 BF D8 BC FE 29",   // 客户庚(POS) (控件)
              "BF CD BB A7 D0 C1"}},                                                       // 客户辛
  };
  Harness h;
  for (const auto& l : lists) {
    std::vector<std::string> got;
    for (const std::string& item : h.panel.lists[l.list]) got.push_back(ToHex(Ascii(item)));
    EXPECT_EQ(got, l.items) << l.list;
    EXPECT_EQ(h.panel.selected[l.list], 0) << l.list;
  }
}

// Check boxes 1135..1138 and their lists 1130..1133.
struct GroupState {
  bool checked[4], boxEnabled[4], listEnabled[4];
};

GroupState StateOf(FakePanel& p) {
  GroupState s{};
  for (int k = 0; k < 4; ++k) {
    s.checked[k] = p.checked[1135 + k];
    s.boxEnabled[k] = p.enabled.count(1135 + k) ? p.enabled[1135 + k] : true;
    s.listEnabled[k] = p.enabled.count(1130 + k) ? p.enabled[1130 + k] : true;
  }
  return s;
}

void ExpectState(FakePanel& p, const GroupState& want, const char* when) {
  const GroupState got = StateOf(p);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(got.checked[k], want.checked[k]) << when << ": check box " << 1135 + k;
    EXPECT_EQ(got.boxEnabled[k], want.boxEnabled[k]) << when << ": check box " << 1135 + k << " enabled";
    EXPECT_EQ(got.listEnabled[k], want.listEnabled[k]) << when << ": list " << 1130 + k << " enabled";
  }
}

TEST(PerformancePanel, CustomerGroupsFollowTheirCheckBoxes) {
  const GroupState opening{{0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}};
  Harness h;
  ExpectState(h.panel, opening, "opening");
  for (int k = 0; k < 4; ++k) {
    h.Tick(1135 + k);
    GroupState on{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    on.checked[k] = on.boxEnabled[k] = on.listEnabled[k] = true;
    ExpectState(h.panel, on, "ticked");
    h.Tick(1135 + k);
    ExpectState(h.panel, opening, "unticked");
  }
  EXPECT_TRUE(h.driver.AllRuns().empty());
}

TEST(PerformancePanel, StoredJobsByPrinterTypeGoOutUncopied) {
  const struct {
    int type, fullBlack, driverTest;
  } types[] = {{0, 232, 158}, {1, 233, 175}, {2, 234, 162}, {3, 233, 175},
               {4, 235, 164}, {5, 236, 166}, {6, 237, 168}};
  for (const auto& t : types) {
    for (auto [button, job] : {std::pair{kFullBlack, t.fullBlack}, std::pair{kDriverTest, t.driverTest}}) {
      Harness h;
      for (int id : {158, 162, 164, 166, 168, 175, 232, 233, 234, 235, 236, 237})
        h.jobs.jobs[id] = Cat({Hex("1B 40"), Ascii(std::to_string(id))});
      h.panel.selected[kPrinterType] = t.type;
      EXPECT_EQ(h.Press(button), std::vector<Bytes>{h.jobs.jobs[job]}) << button << " type " << t.type;
      ASSERT_FALSE(h.driver.sources.empty());
      EXPECT_EQ(h.driver.sources.back(), h.jobs.jobs[job].data()) << "sent from the store itself";
      EXPECT_EQ(h.Resets(), 1);
    }
  }
}

// The customer receipt built into the panel, 431 bytes.
Bytes CustomerReceipt() {
  const Bytes crlf2 = Hex("0D 0A 0D 0A");
  const Bytes dashes = Ascii("----------------------------------");
  return Cat({Hex("1B 33 10"), Hex("0D 0A 0D 0A 0A 0D 0A"),
              Hex("CF FB B7 D1"), crlf2,  // 消费
              Ascii("2009-05-06  09:23:25      888 9999"), crlf2,
              Ascii("99998          99998"), Hex("0D 0A 0D 0A 0D 0A 0D 0A 0A 0D 0A"),
              Ascii("26000001   1     100.00     100.00"), crlf2,
              Hex("B0 C2 D4 CB C3 C5 C6 B1"), Ascii("         "), crlf2,  // 奥运门票
              dashes, crlf2,
              Hex("D7 DC BC C6"), Ascii(": 100.00"), crlf2,  // 总计
              dashes, crlf2,
              Hex("D3 A6 CA D5"), Ascii(":100.00     "), Hex("CA B5 CA D5"), Ascii(":100.00     "), crlf2,  // 应收 实收
              dashes, crlf2,
              Hex("CF D6 A1 A1 BD F0"), Ascii("1  100.000      "),  // 现　金
              Hex("0D 0A 0D 0A 0D 0A"), Repeat(Hex("0D 0A 0A"), 9), Hex("0D 0A 0D 0A 0D 0A"),
              Ascii("        "), Hex("B5 DA"), Ascii("1"), Hex("D2 B3"), Ascii(" ("), Hex("B9 B2"), Ascii("1"),
              Hex("D2 B3"), Ascii(")   "),  // 第1页 (共1页)
              Hex("0D 0A 0D 0A 0D 0A"), Repeat(Hex("0D 0A 0A"), 5), Hex("0D 0A"), Hex("1B 33 0C"), crlf2,
              Hex("1B 33 10 03")});
}

TEST(PerformancePanel, CustomerDataByTickedGroupAndItem) {
  const struct {
    int checkBox, item, job;  // job 0: the built-in receipt
  } cases[] = {{1135, 0, 176}, {1135, 1, 177}, {1135, 2, 193}, {1136, 0, 178}, {1136, 1, 238},
               {1137, 0, 174}, {1138, 0, 0},   {1138, 1, 170}, {1138, 2, 171}};
  ASSERT_EQ(CustomerReceipt().size(), 431u);
  for (const auto& c : cases) {
    Harness h;
    for (int id : {170, 171, 174, 176, 177, 178, 193, 238}) h.jobs.jobs[id] = Cat({Hex("1B 40"), Ascii(std::to_string(id))});
    h.Tick(c.checkBox);
    h.panel.selected[c.checkBox - 5] = c.item;
    const Bytes expected = c.job ? h.jobs.jobs[c.job] : CustomerReceipt();
    EXPECT_EQ(h.Press(kCustomerPrint), std::vector<Bytes>{expected}) << c.checkBox << " item " << c.item;
    EXPECT_EQ(h.Resets(), 1);
    EXPECT_TRUE(h.panel.messages.empty());
  }
}

TEST(PerformancePanel, CustomerDataWithNothingTickedAsksOverTheMainWindow) {
  Harness h;
  h.driver.events.clear();
  EXPECT_TRUE(h.Press(kCustomerPrint).empty());
  EXPECT_TRUE(h.driver.events.empty()) << "no write, no reset";
  ASSERT_EQ(h.panel.messages.size(), 1u);
  EXPECT_EQ(ToHex(Ascii(h.panel.messages[0].text)),
            "C7 EB D1 A1 D4 F1 D2 AA B2 E2 CA D4 B5 C4 BF CD BB A7 CA FD BE DD");  // 请选择要测试的客户数据
  EXPECT_EQ(ToHex(Ascii(h.panel.messages[0].caption)), "CC E1 CA BE");          // 提示
  EXPECT_EQ(h.panel.messages[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(h.panel.messages[0].ownedByOwner);
}

TEST(PerformancePanel, ListWithoutAValidSelectionSendsNothing) {
  const struct {
    int button, list, index;
    int tick;  // customer check box to tick first, or 0
  } cases[] = {{kFullBlack, kPrinterType, -1, 0}, {kDriverTest, kPrinterType, -1, 0},
               {kFullBlack, kPrinterType, 7, 0},  {kCustomerPrint, 1130, -1, 1135},
               {kCustomerPrint, 1131, 2, 1136},   {kCustomerPrint, 1133, -1, 1138}};
  for (const auto& c : cases) {
    Harness h;
    for (int id : {176, 178, 232, 158}) h.jobs.jobs[id] = Hex("1B 40");
    if (c.tick) h.Tick(c.tick);
    h.panel.selected[c.list] = c.index;
    EXPECT_TRUE(h.Press(c.button).empty()) << c.button << " index " << c.index;
    EXPECT_TRUE(h.driver.events.empty()) << "no reset";
    EXPECT_TRUE(h.panel.messages.empty());
  }
}

TEST(PerformancePanel, AgingStartsWithTheTypedPauseAndStopsWithoutReset) {
  Harness h;
  h.panel.texts[kAgingSeconds] = "5";
  h.driver.events.clear();
  h.logic.OnCommand(h.panel, 1024);  // 老化测试
  ASSERT_TRUE(h.pauseLog.WaitForPause());
  h.logic.OnCommand(h.panel, 1025);  // 停止老化
  EXPECT_FALSE(h.aging.Running());
  const Bytes pattern = Repeat(Cat({Repeat(Hex("5C 2F"), 27), Hex("0A")}), 4);  // 4 lines of 27 "\/"
  EXPECT_EQ(h.driver.AllRuns(), std::vector<Bytes>{pattern});
  EXPECT_EQ(h.pauseLog.pauses, std::vector<std::chrono::milliseconds>{5000ms});
  for (const std::string& e : h.driver.events) EXPECT_EQ(e, "write serial:com1") << "no reset";
}

TEST(PerformancePanel, AgingRunOutlivesThePanel) {
  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  MapSampleStore jobs;
  NoFiles files;
  AgingWorker aging{link};
  PanelServices services{settings, link, jobs, files, aging};
  {
    FakePanel panel;
    PerformancePanel logic{services};
    logic.OnInit(panel);
    panel.texts[kAgingSeconds] = "3600";
    logic.OnCommand(panel, 1024);
    logic.OnCommand(panel, 1);  // 关闭
    EXPECT_TRUE(panel.ended);
  }
  EXPECT_TRUE(aging.Running());
  aging.Stop();
  EXPECT_FALSE(aging.Running());
}

}  // namespace
