#include "custom/custom_command_panel.h"

#include <gtest/gtest.h>

#include "custom/memory_files.h"
#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "link/printer_link.h"
#include "panels/interface_choice.h"

namespace {

using Events = std::vector<std::string>;
using Runs = std::vector<Bytes>;

constexpr int kCommandField = 1024, kPathField = 1008;
constexpr int kSendSerial = 1025, kSendParallel = 1030, kSendUsb = 1031;

class CustomCommandTest : public ::testing::Test {
 protected:
  CustomCommandTest() { driver.usbPrinters = {"p"}; }

  // Presses a send button with the given command and file; returns the driver events.
  Events Send(int id, const char* command, const char* path = "") {
    panel.texts[kCommandField] = command;
    panel.texts[kPathField] = path;
    const std::size_t from = driver.events.size();
    logic.OnCommand(panel, id);
    return Events(driver.events.begin() + static_cast<long>(from), driver.events.end());
  }
  Runs LastRuns(std::size_t n) const {
    const Runs all = driver.AllRuns();
    return Runs(all.end() - static_cast<long>(std::min(n, all.size())), all.end());
  }

  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;       // the custom command panel
  FakePanel otherPanel;  // a test panel open beside it
  MemoryFiles files;
  CustomCommandPanel logic{link, files};
};

TEST_F(CustomCommandTest, EachSendButtonWritesTheFileThenTheCommandThroughItsOwnPort) {
  const struct {
    int button;
    Events events;
  } buttons[] = {
      {kSendSerial, {"open serial:com1", "write serial:com1", "write serial:com1", "close serial:com1"}},
      {kSendParallel, {"open parallel:lpt1", "write parallel:lpt1", "write parallel:lpt1", "close parallel:lpt1"}},
      // USB stays open; the next press closes it before opening it again.
      {kSendUsb, {"list usb", "open usb:p", "write usb:p", "write usb:p"}},
      {kSendUsb, {"close usb:p", "list usb", "open usb:p", "write usb:p", "write usb:p"}},
  };
  files.files["job.prn"] = Ascii("job");
  for (const auto& b : buttons) {
    EXPECT_EQ(Send(b.button, "1B40\r\n0A", "job.prn"), b.events) << b.button;
    EXPECT_EQ(LastRuns(2), (Runs{Ascii("job"), Hex("1B 40 0A")}));
  }
  EXPECT_FALSE(link.InterfaceInUse().has_value());
  EXPECT_TRUE(panel.messages.empty());
}

TEST_F(CustomCommandTest, WithoutAReadableFileTheCommandFollowsAnEmptyWrite) {
  files.files["locked"] = Ascii("never read");
  files.unreadable = {"locked"};
  for (const char* path : {"", "missing.txt", "locked"}) {
    Send(kSendParallel, "1C", path);
    EXPECT_EQ(LastRuns(2), (Runs{{}, Hex("1C")})) << path;
  }
  EXPECT_TRUE(panel.messages.empty());
}

TEST_F(CustomCommandTest, AnEmptyFileIsReportedOnTheParallelPortOnlyAndTheCommandStillSent) {
  files.files["empty.txt"] = {};
  panel.answers = {MessageAnswer::Cancel};  // not examined
  Send(kSendSerial, "0C", "empty.txt");
  Send(kSendUsb, "0C", "empty.txt");
  EXPECT_TRUE(panel.messages.empty());
  Send(kSendParallel, "0C", "empty.txt");
  ASSERT_EQ(panel.messages.size(), 1u);
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].text)), "CE C4 BC FE BD E1 CA F8 C1 CB");  // 文件结束了
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].caption)), "CE C4 BC FE");                  // 文件
  EXPECT_EQ(panel.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(driver.RunsTo("parallel:lpt1"), (Runs{{}, Hex("0C")}));
}

TEST_F(CustomCommandTest, AFileIsSentWholeAtMost1000000BytesAWrite) {
  const struct {
    std::size_t size;
    std::vector<std::size_t> writes;
  } cases[] = {{1'000'000, {1'000'000}}, {2'500'001, {1'000'000, 1'000'000, 500'001}}};
  for (const auto& c : cases) {
    Bytes data(c.size);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    files.files["big.prn"] = data;
    Send(kSendSerial, "0A", "big.prn");

    Runs runs = LastRuns(c.writes.size() + 1);
    EXPECT_EQ(runs.back(), Hex("0A"));
    Bytes received;
    for (std::size_t i = 0; i < c.writes.size(); ++i) {
      EXPECT_EQ(runs[i].size(), c.writes[i]);
      received.insert(received.end(), runs[i].begin(), runs[i].end());
    }
    EXPECT_TRUE(received == data) << c.size;
  }
}

TEST_F(CustomCommandTest, APortAnOpenPanelHoldsIsWrittenThroughAndLeftOpen) {
  const struct {
    int button;
    PortKind held;
    std::string name;
  } cases[] = {{kSendSerial, PortKind::Serial, "serial:com1"}, {kSendParallel, PortKind::Parallel, "parallel:lpt1"}};
  for (const auto& c : cases) {
    ChooseInterface(otherPanel, link, c.held);
    EXPECT_EQ(Send(c.button, "1D"), (Events{"write " + c.name, "write " + c.name}));
    link.SendBytes("\x1B@");  // the other panel still writes to the same connection
    EXPECT_EQ(driver.RunsTo(c.name).back(), Hex("1B 40"));
    EXPECT_EQ(driver.OpenCount(c.name), 1);
  }
}

TEST_F(CustomCommandTest, TheInterfaceInUseAndItsOutputStayAsTheyWere) {
  ChooseInterface(otherPanel, link, PortKind::Parallel);
  Send(kSendSerial, "");
  EXPECT_EQ(link.InterfaceInUse(), PortKind::Parallel);
  link.SendBytes("P");
  EXPECT_EQ(driver.RunsTo("parallel:lpt1"), Runs{Ascii("P")});

  // A USB output another panel writes to follows the reopened connection.
  ChooseInterface(otherPanel, link, PortKind::Usb);
  Send(kSendUsb, "");
  link.SendBytes("U");
  EXPECT_EQ(driver.records.back()->writes.back(), Ascii("U"));
}

TEST_F(CustomCommandTest, APortThatCannotBeOpenedComplainsOnceAndWritesNothing) {
  driver.failing = {"serial:com1"};
  EXPECT_EQ(Send(kSendSerial, "1B40"), (Events{"open failed serial:com1", "box SetCommTimeout error"}));
}

TEST_F(CustomCommandTest, TheFileDialogOffersThreeTypesWithTextFilesChosenAndACancelKeepsTheFile) {
  panel.fileChoices = {std::string("C:\\a\\one.txt"), std::nullopt};
  logic.OnCommand(panel, 1276);
  logic.OnCommand(panel, 1276);
  EXPECT_EQ(panel.texts[kPathField], "C:\\a\\one.txt");

  ASSERT_EQ(panel.fileDialogs.size(), 2u);
  std::string filters;
  for (const FileFilter& f : panel.fileDialogs[0].filters) filters += ToHex(Ascii(f.name)) + "=" + f.pattern + ";";
  // All, 文本文件, 打印文件
  EXPECT_EQ(filters, "41 6C 6C=*.*;CE C4 B1 BE CE C4 BC FE=*.TXT;B4 F2 D3 A1 CE C4 BC FE=*.prn;");
  EXPECT_EQ(panel.fileDialogs[0].selectedFilter, 1);
}

TEST_F(CustomCommandTest, ReferencesOpenWithoutOwnerAndOnlyCloseEndsThePanel) {
  ChooseInterface(otherPanel, link, PortKind::Serial);
  const std::size_t mark = driver.events.size();
  for (int id : {1027, 2}) logic.OnCommand(panel, id);  // 参考指令, Esc
  EXPECT_EQ(panel.nestedDialogs, (std::vector<std::pair<int, bool>>{{202, false}}));
  EXPECT_FALSE(panel.ended);
  logic.OnCommand(panel, 1);
  EXPECT_TRUE(panel.ended);
  EXPECT_EQ(driver.events.size(), mark);  // no connection is closed
}

}  // namespace
