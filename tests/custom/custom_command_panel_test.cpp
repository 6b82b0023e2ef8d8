#include "custom/custom_command_panel.h"

#include <gtest/gtest.h>

#include "custom/memory_files.h"
#include "fakes/fake_panel.h"
#include "fakes/recording_port_driver.h"
#include "link/printer_link.h"

namespace {

using Events = std::vector<std::string>;

constexpr int kCommandField = 1024, kPathField = 1008;
constexpr int kChooseFile = 1276, kReferences = 1027, kClose = 1;
constexpr int kSendSerial = 1025, kSendParallel = 1030, kSendUsb = 1031;

class CustomCommandTest : public ::testing::Test {
 protected:
  CustomCommandTest() { driver.usbPrinters = {"p"}; }

  // Presses a button; returns the driver events it caused.
  Events Press(int id) {
    const std::size_t from = driver.events.size();
    logic.OnCommand(panel, id);
    return Events(driver.events.begin() + static_cast<long>(from), driver.events.end());
  }

  RecordingPortDriver driver;
  SerialSettings settings;
  PrinterLink link{driver, settings};
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
  files.files["C:\\job.prn"] = Ascii("job");
  panel.texts[kPathField] = "C:\\job.prn";
  panel.texts[kCommandField] = "1B40\r\n0A";
  for (const auto& b : buttons) {
    const std::size_t runsBefore = driver.AllRuns().size();
    EXPECT_EQ(Press(b.button), b.events) << b.button;
    const auto runs = driver.AllRuns();
    EXPECT_EQ(std::vector<Bytes>(runs.begin() + static_cast<long>(runsBefore), runs.end()),
              (std::vector<Bytes>{Ascii("job"), Hex("1B 40 0A")}));
  }
  EXPECT_FALSE(link.InterfaceInUse().has_value());
  EXPECT_TRUE(panel.messages.empty());
}

TEST_F(CustomCommandTest, WithoutAReadableFileTheCommandFollowsAnEmptyWrite) {
  files.files["locked"] = Ascii("never read");
  files.unreadable = {"locked"};
  for (const char* path : {"", "C:\\missing.txt", "locked"}) {
    RecordingPortDriver fresh;
    PrinterLink freshLink{fresh, settings};
    CustomCommandPanel sender{freshLink, files};
    panel.texts[kPathField] = path;
    panel.texts[kCommandField] = "1C";
    sender.OnCommand(panel, kSendParallel);
    EXPECT_EQ(fresh.AllRuns(), (std::vector<Bytes>{{}, Hex("1C")})) << path;
  }
  EXPECT_TRUE(panel.messages.empty());
}

TEST_F(CustomCommandTest, AnEmptyFileOnTheParallelPortIsReportedAndTheCommandStillSent) {
  files.files["empty.txt"] = {};
  panel.texts[kPathField] = "empty.txt";
  panel.texts[kCommandField] = "0C";
  panel.answers = {MessageAnswer::Cancel};  // not examined
  Press(kSendSerial);
  Press(kSendUsb);
  EXPECT_TRUE(panel.messages.empty());
  Press(kSendParallel);
  ASSERT_EQ(panel.messages.size(), 1u);
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].text)), "CE C4 BC FE BD E1 CA F8 C1 CB");  // 文件结束了
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].caption)), "CE C4 BC FE");                  // 文件
  EXPECT_EQ(panel.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(driver.RunsTo("parallel:lpt1"), (std::vector<Bytes>{{}, Hex("0C")}));
}

TEST_F(CustomCommandTest, AFileLargerThanOneBufferIsSentWholeABufferAtATime) {
  const struct {
    std::size_t size;
    std::vector<std::size_t> writes;
  } cases[] = {
      {1'000'000, {1'000'000}},
      {2'500'001, {1'000'000, 1'000'000, 500'001}},
  };
  for (const auto& c : cases) {
    RecordingPortDriver fresh;
    PrinterLink freshLink{fresh, settings};
    CustomCommandPanel sender{freshLink, files};
    Bytes data(c.size);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    files.files["big.prn"] = data;
    files.readSizes.clear();
    panel.texts[kPathField] = "big.prn";
    panel.texts[kCommandField] = "0A";
    sender.OnCommand(panel, kSendSerial);

    std::vector<Bytes> runs = fresh.RunsTo("serial:com1");
    ASSERT_EQ(runs.size(), c.writes.size() + 1) << c.size;
    EXPECT_EQ(runs.back(), Hex("0A"));
    runs.pop_back();
    Bytes received;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].size(), c.writes[i]);
      received.insert(received.end(), runs[i].begin(), runs[i].end());
    }
    EXPECT_TRUE(received == data) << c.size;
    for (std::size_t n : files.readSizes) EXPECT_LE(n, 1'000'000u);
  }
}

TEST_F(CustomCommandTest, APortAnOpenPanelHoldsIsWrittenThroughAndLeftOpen) {
  const struct {
    int button;
    PortKind held;
    const char* name;
  } cases[] = {{kSendSerial, PortKind::Serial, "serial:com1"}, {kSendParallel, PortKind::Parallel, "parallel:lpt1"}};
  for (const auto& c : cases) {
    link.SelectPortKind(otherPanel, c.held);
    panel.texts[kCommandField] = "1D";
    const std::string write = std::string("write ") + c.name;
    EXPECT_EQ(Press(c.button), (Events{write, write}));
    EXPECT_EQ(driver.OpenCount(c.name), 1);
    // The other panel still writes to the same connection.
    link.SendBytes("\x1B@");
    EXPECT_EQ(driver.RunsTo(c.name).back(), Hex("1B 40"));
  }
  EXPECT_EQ(driver.failureBoxes, 0);
}

TEST_F(CustomCommandTest, TheInterfaceInUseAndItsOutputStayAsTheyWere) {
  link.SelectPortKind(otherPanel, PortKind::Parallel);
  Press(kSendSerial);
  EXPECT_EQ(link.InterfaceInUse(), PortKind::Parallel);
  link.SendBytes("P");
  EXPECT_EQ(driver.RunsTo("parallel:lpt1"), std::vector<Bytes>{Ascii("P")});

  // A USB output another panel writes to follows the reopened connection.
  link.SelectPortKind(otherPanel, PortKind::Usb);
  Press(kSendUsb);
  link.SendBytes("U");
  EXPECT_EQ(driver.connections.back()->writes.back(), Ascii("U"));
  EXPECT_TRUE(driver.connections.back()->open);
}

TEST_F(CustomCommandTest, APortThatCannotBeOpenedComplainsOnceAndWritesNothing) {
  driver.failing = {"serial:com1"};
  panel.texts[kCommandField] = "1B40";
  EXPECT_EQ(Press(kSendSerial), (Events{"open failed serial:com1", "box SetCommTimeout error"}));
  EXPECT_TRUE(driver.AllRuns().empty());
}

TEST_F(CustomCommandTest, TheFileDialogOffersThreeTypesWithTextFilesFirstChosen) {
  panel.fileChoices = {std::string("C:\\a\\one.txt"), std::nullopt};
  Press(kChooseFile);
  EXPECT_EQ(panel.texts[kPathField], "C:\\a\\one.txt");
  Press(kChooseFile);  // cancelled: the first file stays
  EXPECT_EQ(panel.texts[kPathField], "C:\\a\\one.txt");

  ASSERT_EQ(panel.fileDialogs.size(), 2u);
  const auto& filters = panel.fileDialogs[0].filters;
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].name + "|" + filters[0].pattern, "All|*.*");
  EXPECT_EQ(ToHex(Ascii(filters[1].name)) + "|" + filters[1].pattern, "CE C4 B1 BE CE C4 BC FE|*.TXT");  // 文本文件
  EXPECT_EQ(ToHex(Ascii(filters[2].name)) + "|" + filters[2].pattern, "B4 F2 D3 A1 CE C4 BC FE|*.prn");  // 打印文件
  EXPECT_EQ(panel.fileDialogs[0].selectedFilter, 1);
}

TEST_F(CustomCommandTest, ReferencesOpenTheListsAndOnlyCloseEndsThePanel) {
  link.SelectPortKind(otherPanel, PortKind::Serial);
  Press(kReferences);
  EXPECT_EQ(panel.nestedDialogs, (std::vector<std::pair<int, bool>>{{202, false}}));  // no owner
  Press(2);  // Esc
  EXPECT_FALSE(panel.ended);
  EXPECT_TRUE(Press(kClose).empty());  // no connection is closed
  EXPECT_TRUE(panel.ended);
  EXPECT_EQ(panel.endResult, 0);
}

TEST_F(CustomCommandTest, TheFileIsReadAfreshAtEverySend) {
  panel.texts[kPathField] = "f";
  files.files["f"] = Ascii("one");
  Press(kSendSerial);
  files.files["f"] = Ascii("two");
  Press(kSendSerial);
  EXPECT_EQ(driver.RunsTo("serial:com1"), (std::vector<Bytes>{Ascii("one"), {}, Ascii("two"), {}}));
}

}  // namespace
