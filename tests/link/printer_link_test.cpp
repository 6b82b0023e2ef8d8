#include "link/printer_link.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"
#include "fakes/recording_port_driver.h"
#include "support/hex.h"

namespace {

using Events = std::vector<std::string>;

class PrinterLinkTest : public ::testing::Test {
 protected:
  Events EventsSince(std::size_t from) const { return Events(driver.events.begin() + static_cast<long>(from), driver.events.end()); }
  void Send(const char* hex) { link.SendBytes(std::string(reinterpret_cast<const char*>(Hex(hex).data()), Hex(hex).size())); }

  RecordingPortDriver driver;
  SerialSettings settings;
  PrinterLink link{driver, settings};
  FakePanel panel;
};

TEST_F(PrinterLinkTest, RadioClickPromptsChecksAndOpens) {
  const struct {
    PortKind kind;
    int radio;
    const char* promptHex;  // 您的打印机接口是…口？
    const char* opened;
  } kinds[] = {
      {PortKind::Serial, 1086, "C4 FA B5 C4 B4 F2 D3 A1 BB FA BD D3 BF DA CA C7 B4 AE BF DA A3 BF", "open serial:com1"},
      {PortKind::Parallel, 1085, "C4 FA B5 C4 B4 F2 D3 A1 BB FA BD D3 BF DA CA C7 B2 A2 BF DA A3 BF", "open parallel:lpt1"},
      {PortKind::Usb, 1109, "C4 FA B5 C4 B4 F2 D3 A1 BB FA BD D3 BF DA CA C7 55 53 42 BF DA A3 BF", "open usb:\\\\?\\usb#1"},
  };
  driver.usbPrinters = {"\\\\?\\usb#1"};
  for (const auto& k : kinds) {
    link.SelectPortKind(panel, k.kind);
    const FakePanel::Message& m = panel.messages.back();
    EXPECT_EQ(ToHex(Ascii(m.text)), k.promptHex);
    EXPECT_EQ(ToHex(Ascii(m.caption)), "BD D3 BF DA CC E1 CA BE");  // 接口提示
    EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
    for (int radio : {1086, 1085, 1109}) EXPECT_EQ(panel.checked[radio], radio == k.radio);
    EXPECT_EQ(driver.events.back(), k.opened);
    EXPECT_EQ(link.InterfaceInUse(), k.kind);
  }
}

TEST_F(PrinterLinkTest, SelectionClosesTheOtherConnectionsInOrder) {
  driver.usbPrinters = {"p"};
  link.SelectPortKind(panel, PortKind::Serial);
  std::size_t mark = driver.events.size();
  link.SelectPortKind(panel, PortKind::Parallel);
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open parallel:lpt1"}));

  mark = driver.events.size();
  link.SelectPortKind(panel, PortKind::Usb);
  EXPECT_EQ(EventsSince(mark), (Events{"close parallel:lpt1", "list usb", "open usb:p"}));

  mark = driver.events.size();
  link.SelectPortKind(panel, PortKind::Serial);
  EXPECT_EQ(EventsSince(mark), (Events{"close usb:p", "open serial:com1"}));

  // The same button twice reopens that interface.
  mark = driver.events.size();
  link.SelectPortKind(panel, PortKind::Serial);
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open serial:com1"}));
  EXPECT_EQ(driver.failureBoxes, 0);
}

TEST_F(PrinterLinkTest, CancelToThePromptStillSelects) {
  panel.answers = {MessageAnswer::Cancel};
  link.SelectPortKind(panel, PortKind::Serial);
  EXPECT_EQ(driver.OpenCount("serial:com1"), 1);
  Send("1B 69");
  EXPECT_EQ(driver.RunsTo("serial:com1"), std::vector<Bytes>{Hex("1B 69")});
}

TEST_F(PrinterLinkTest, SerialLineIsEightNoneOneWithDtr) {
  link.SelectPortKind(panel, PortKind::Serial);
  LineSettings expected;
  expected.baudRate = 9600;
  expected.byteSize = 8;
  expected.parityCode = 0;
  expected.stopBitsCode = 0;
  expected.dtrEnabled = true;
  EXPECT_EQ(driver.lastLine, expected);

  // Parity letters never reach the line; two stop bits map to their code.
  settings.parity = "e";
  settings.baudRate = 19200;
  settings.stopBits = 2;
  link.ResetAfterSend();
  expected.baudRate = 19200;
  expected.stopBitsCode = 2;
  EXPECT_EQ(driver.lastLine, expected);
}

TEST_F(PrinterLinkTest, FailedParallelOpenWritesNowhereAndEveryResetComplains) {
  driver.failing = {"parallel:lpt1"};
  link.SelectPortKind(panel, PortKind::Parallel);
  EXPECT_TRUE(panel.checked[1085]);
  EXPECT_EQ(driver.failureBoxes, 1);
  for (int press = 1; press <= 3; ++press) {
    Send("1B 69");
    link.ResetAfterSend();
    EXPECT_EQ(driver.failureBoxes, 1 + press);
  }
  EXPECT_TRUE(driver.AllRuns().empty());
}

TEST_F(PrinterLinkTest, FailureBoxesOfAPressWaitUntilItsLastRunIsWritten) {
  driver.failing = {"parallel:lpt1"};
  link.SelectPortKind(panel, PortKind::Parallel);
  const int before = driver.failureBoxes;
  {
    PrinterLink::PressHold hold(link);
    link.ResetAfterSend();
    link.ResetAfterSend();
    EXPECT_EQ(driver.failureBoxes, before);
  }
  EXPECT_EQ(driver.failureBoxes, before + 2);
}

TEST_F(PrinterLinkTest, ResetReopensSerialOrParallelAndKeepsUsb) {
  link.SelectPortKind(panel, PortKind::Serial);
  Send("01");
  std::size_t mark = driver.events.size();
  link.ResetAfterSend();
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open serial:com1"}));
  Send("02");
  EXPECT_EQ(driver.RunsTo("serial:com1"), (std::vector<Bytes>{Hex("01"), Hex("02")}));

  driver.usbPrinters = {"p"};
  link.SelectPortKind(panel, PortKind::Usb);
  mark = driver.events.size();
  link.ResetAfterSend();
  EXPECT_TRUE(EventsSince(mark).empty());
  Send("03");
  EXPECT_EQ(driver.RunsTo("usb:p"), std::vector<Bytes>{Hex("03")});
}

TEST_F(PrinterLinkTest, AfterSwitchingToParallelEverythingGoesThere) {
  link.SelectPortKind(panel, PortKind::Serial);
  Send("01");
  link.ResetAfterSend();
  link.SelectPortKind(panel, PortKind::Parallel);
  for (const char* run : {"02", "03"}) {
    Send(run);
    link.ResetAfterSend();
  }
  EXPECT_EQ(driver.RunsTo("serial:com1"), std::vector<Bytes>{Hex("01")});
  EXPECT_EQ(driver.RunsTo("parallel:lpt1"), (std::vector<Bytes>{Hex("02"), Hex("03")}));
  EXPECT_EQ(driver.OpenCount("serial:com1"), 0);
}

TEST_F(PrinterLinkTest, TwoUsbPrintersWriteToTheLastAndCloseTheFirst) {
  driver.usbPrinters = {"first", "second"};
  link.SelectPortKind(panel, PortKind::Usb);
  Send("1B 40");
  EXPECT_TRUE(driver.RunsTo("usb:first").empty());
  EXPECT_EQ(driver.RunsTo("usb:second"), std::vector<Bytes>{Hex("1B 40")});
  EXPECT_EQ(driver.OpenCount("usb:first"), 0);
  EXPECT_EQ(driver.OpenCount("usb:second"), 1);

  // A later interface that cannot be opened leaves USB without a connection.
  driver.failing = {"usb:second"};
  link.SelectPortKind(panel, PortKind::Usb);
  EXPECT_EQ(driver.OpenCount("usb:first") + driver.OpenCount("usb:second"), 0);
  EXPECT_EQ(driver.failureBoxes, 0);  // USB failures are silent
}

TEST_F(PrinterLinkTest, NothingIsOpenedOrWrittenBeforeAnySelection) {
  Send("1B 40");
  link.ResetAfterSend();
  link.CloseAll();
  EXPECT_TRUE(driver.events.empty());
}

TEST_F(PrinterLinkTest, CloseAllKeepsTheInterfaceForTheNextPanel) {
  link.SelectPortKind(panel, PortKind::Serial);
  std::size_t mark = driver.events.size();
  link.CloseAll();
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1"}));
  EXPECT_EQ(link.InterfaceInUse(), PortKind::Serial);

  // Next panel: the first button writes nothing, its reset reopens the port,
  // and from the second button on the bytes arrive.
  mark = driver.events.size();
  Send("01");
  link.ResetAfterSend();
  EXPECT_EQ(EventsSince(mark), (Events{"open serial:com1"}));
  Send("02");
  EXPECT_EQ(driver.RunsTo("serial:com1"), std::vector<Bytes>{Hex("02")});
}

TEST_F(PrinterLinkTest, CloseAllAlsoClosesUsb) {
  driver.usbPrinters = {"p"};
  link.SelectPortKind(panel, PortKind::Usb);
  std::size_t mark = driver.events.size();
  link.CloseAll();
  EXPECT_EQ(EventsSince(mark), (Events{"close usb:p"}));
  Send("01");
  EXPECT_TRUE(driver.AllRuns().empty());
}

}  // namespace
