#include "link/printer_link.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "panels/interface_choice.h"
#include "support/hex.h"

namespace {

using Events = std::vector<std::string>;

class PrinterLinkTest : public ::testing::Test {
 protected:
  Events EventsSince(std::size_t from) const { return Events(driver.events.begin() + static_cast<long>(from), driver.events.end()); }
  void Send(const char* hex) { link.SendBytes(std::string(reinterpret_cast<const char*>(Hex(hex).data()), Hex(hex).size())); }

  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
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
      {PortKind::Network, 1110, "C4 FA B5 C4 B4 F2 D3 A1 BB FA BD D3 BF DA CA C7 CD F8 BF DA A3 BF",
       "open network:192.168.1.20:9100"},
  };
  driver.usbPrinters = {"\\\\?\\usb#1"};
  settings.networkHost = "192.168.1.20";
  for (const auto& k : kinds) {
    ChooseInterface(panel, link, k.kind);
    const FakePanel::Message& m = panel.messages.back();
    EXPECT_EQ(ToHex(Ascii(m.text)), k.promptHex);
    EXPECT_EQ(ToHex(Ascii(m.caption)), "BD D3 BF DA CC E1 CA BE");  // 接口提示
    EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
    for (int radio : {1086, 1085, 1109, 1110}) EXPECT_EQ(panel.checked[radio], radio == k.radio);
    EXPECT_EQ(driver.events.back(), k.opened);
    EXPECT_EQ(link.InterfaceInUse(), k.kind);
  }
}

TEST_F(PrinterLinkTest, SelectionClosesTheOtherConnectionsInOrder) {
  driver.usbPrinters = {"p"};
  ChooseInterface(panel, link, PortKind::Serial);
  std::size_t mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Parallel);
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open parallel:lpt1"}));

  mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Usb);
  EXPECT_EQ(EventsSince(mark), (Events{"close parallel:lpt1", "list usb", "open usb:p"}));

  mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Serial);
  EXPECT_EQ(EventsSince(mark), (Events{"close usb:p", "open serial:com1"}));

  // The same button twice reopens that interface.
  mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Serial);
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open serial:com1"}));
  EXPECT_EQ(driver.failureBoxes, 0);
}

TEST_F(PrinterLinkTest, CancelToThePromptStillSelects) {
  panel.answers = {MessageAnswer::Cancel};
  ChooseInterface(panel, link, PortKind::Serial);
  EXPECT_EQ(driver.OpenCount("serial:com1"), 1);
  Send("1B 69");
  EXPECT_EQ(driver.RunsTo("serial:com1"), std::vector<Bytes>{Hex("1B 69")});
}

TEST_F(PrinterLinkTest, SerialLineIsEightNoneOneWithDtr) {
  ChooseInterface(panel, link, PortKind::Serial);
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
  ChooseInterface(panel, link, PortKind::Parallel);
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
  ChooseInterface(panel, link, PortKind::Parallel);
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
  ChooseInterface(panel, link, PortKind::Serial);
  Send("01");
  std::size_t mark = driver.events.size();
  link.ResetAfterSend();
  EXPECT_EQ(EventsSince(mark), (Events{"close serial:com1", "open serial:com1"}));
  Send("02");
  EXPECT_EQ(driver.RunsTo("serial:com1"), (std::vector<Bytes>{Hex("01"), Hex("02")}));

  driver.usbPrinters = {"p"};
  ChooseInterface(panel, link, PortKind::Usb);
  mark = driver.events.size();
  link.ResetAfterSend();
  EXPECT_TRUE(EventsSince(mark).empty());
  Send("03");
  EXPECT_EQ(driver.RunsTo("usb:p"), std::vector<Bytes>{Hex("03")});
}

TEST_F(PrinterLinkTest, AfterSwitchingToParallelEverythingGoesThere) {
  ChooseInterface(panel, link, PortKind::Serial);
  Send("01");
  link.ResetAfterSend();
  ChooseInterface(panel, link, PortKind::Parallel);
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
  ChooseInterface(panel, link, PortKind::Usb);
  Send("1B 40");
  EXPECT_TRUE(driver.RunsTo("usb:first").empty());
  EXPECT_EQ(driver.RunsTo("usb:second"), std::vector<Bytes>{Hex("1B 40")});
  EXPECT_EQ(driver.OpenCount("usb:first"), 0);
  EXPECT_EQ(driver.OpenCount("usb:second"), 1);

  // A later interface that cannot be opened leaves USB without a connection.
  driver.failing = {"usb:second"};
  ChooseInterface(panel, link, PortKind::Usb);
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
  ChooseInterface(panel, link, PortKind::Serial);
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
  ChooseInterface(panel, link, PortKind::Usb);
  std::size_t mark = driver.events.size();
  link.CloseAll();
  EXPECT_EQ(EventsSince(mark), (Events{"close usb:p"}));
  Send("01");
  EXPECT_TRUE(driver.AllRuns().empty());
}

// The network printer: one connection per press, failures named by address.
class NetworkLinkTest : public PrinterLinkTest {
 protected:
  NetworkLinkTest() {
    settings.networkHost = "10.0.0.5";
    ChooseInterface(panel, link, PortKind::Network);
  }
  void Press(std::initializer_list<const char*> runs) {
    PrinterLink::PressHold hold(link);
    for (const char* run : runs) Send(run);
    link.ResetAfterSend();
  }
  static constexpr const char* kName = "network:10.0.0.5:9100";
};

TEST_F(NetworkLinkTest, EachPressIsOneConnectionFinishedBeforeTheNext) {
  std::size_t mark = driver.events.size();
  Press({"1B 40", "0A"});
  EXPECT_EQ(EventsSince(mark), (Events{"write network:10.0.0.5:9100", "write network:10.0.0.5:9100",
                                       "finish network:10.0.0.5:9100", "close network:10.0.0.5:9100",
                                       "open network:10.0.0.5:9100"}));
  // Switching away finishes nothing that was not written to.
  mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Serial);
  EXPECT_EQ(EventsSince(mark), (Events{"close network:10.0.0.5:9100", "open serial:com1"}));
  EXPECT_EQ(driver.RunsTo(kName), (std::vector<Bytes>{Hex("1B 40"), Hex("0A")}));
  EXPECT_EQ(driver.failureBoxes, 0);
}

TEST_F(NetworkLinkTest, FailuresShowTheAddressAndAFailedPressStopsThere) {
  const std::string refused = "CE DE B7 A8 C1 AC BD D3 CD F8 C2 E7 B4 F2 D3 A1 BB FA 20 " + ToHex(Ascii("10.0.0.5:9100"));
  const std::string stalled = "CD F8 C2 E7 B4 F2 D3 A1 BB FA 20 " + ToHex(Ascii("10.0.0.5:9100")) +
                              " 20 C3 BB D3 D0 CA D5 CF C2 C8 AB B2 BF CA FD BE DD A3 AC B7 A2 CB CD D2 D1 CD A3 D6 B9";
  const struct {
    const char* what;
    void (*fail)(RecordingTransport&);
    Events press;  // events of one press of two runs
    std::string box;
  } cases[] = {
      {"printer takes no data", [](RecordingTransport& t) { t.failingWrites = {kName}; },
       {"write failed network:10.0.0.5:9100", "close network:10.0.0.5:9100"}, stalled},
      {"last bytes not confirmed", [](RecordingTransport& t) { t.failingFinish = {kName}; },
       {"write network:10.0.0.5:9100", "write network:10.0.0.5:9100", "finish network:10.0.0.5:9100",
        "close network:10.0.0.5:9100", "open network:10.0.0.5:9100"},
       stalled},
      {"printer gone after the last press", [](RecordingTransport& t) { t.failing = {kName}; },
       {"write network:10.0.0.5:9100", "write network:10.0.0.5:9100", "finish network:10.0.0.5:9100",
        "close network:10.0.0.5:9100", "open failed network:10.0.0.5:9100"},
       refused},
  };
  for (const auto& c : cases) {
    driver.failing.clear();
    driver.failingWrites.clear();
    driver.failingFinish.clear();
    ChooseInterface(panel, link, PortKind::Network);
    c.fail(driver);
    const std::size_t mark = driver.events.size();
    const int boxes = driver.failureBoxes;
    Press({"01", "02"});
    Events press = EventsSince(mark);
    ASSERT_FALSE(press.empty()) << c.what;
    EXPECT_EQ(press.back(), "box " + std::string(reinterpret_cast<const char*>(Hex(c.box).data()), Hex(c.box).size()))
        << c.what;
    press.pop_back();
    EXPECT_EQ(press, c.press) << c.what;
    EXPECT_EQ(driver.failureBoxes, boxes + 1) << c.what;
  }
}

TEST_F(NetworkLinkTest, AConnectionLostIsMadeAgainAtTheNextPress) {
  const struct {
    const char* what;
    void (*lose)(RecordingTransport&, PrinterLink&);
  } cases[] = {
      {"dropped by the printer", [](RecordingTransport& t, PrinterLink&) { t.DropConnections(kName); }},
      {"a write failed", [](RecordingTransport& t, PrinterLink& l) {
         t.failingWrites = {kName};
         l.SendBytes("x");
         t.failingWrites.clear();
       }},
      {"closed by the Close button", [](RecordingTransport&, PrinterLink& l) { l.CloseAll(); }},
  };
  for (const auto& c : cases) {
    ChooseInterface(panel, link, PortKind::Network);
    c.lose(driver, link);
    const int opened = static_cast<int>(driver.records.size());
    Press({"03"});
    EXPECT_EQ(driver.records.at(static_cast<std::size_t>(opened))->writes, std::vector<Bytes>{Hex("03")}) << c.what;
  }
}

TEST_F(NetworkLinkTest, WithoutAnAddressNothingIsConnectedAndThePanelSaysWhere) {
  ChooseInterface(panel, link, PortKind::Serial);
  settings.networkHost.clear();
  panel.messages.clear();
  const std::size_t mark = driver.events.size();
  ChooseInterface(panel, link, PortKind::Network);
  EXPECT_TRUE(EventsSince(mark).empty());
  ASSERT_EQ(panel.messages.size(), 2u);
  EXPECT_EQ(ToHex(Ascii(panel.messages[1].text)).substr(0, 83),
            "BB B9 C3 BB D3 D0 C9 E8 D6 C3 CD F8 C2 E7 B4 F2 D3 A1 BB FA B5 C4 B5 D8 D6 B7 A1 A3");  // 还没有设置网络打印机的地址。
  EXPECT_EQ(link.InterfaceInUse(), PortKind::Serial);
  EXPECT_TRUE(panel.checked[1086]);
  EXPECT_FALSE(panel.checked[1110]);
}

TEST_F(NetworkLinkTest, LoneWritesGoToTheConnectionAndAFailedOneIsNotRetried) {
  Send("01");  // the aging run's writes
  driver.failingWrites = {kName};
  Send("02");
  driver.failingWrites.clear();
  Send("03");
  EXPECT_EQ(driver.RunsTo(kName), std::vector<Bytes>{Hex("01")});
  EXPECT_EQ(driver.failureBoxes, 1);
}

TEST_F(NetworkLinkTest, QueryGetsTheActiveConnectionUnderTheHold) {
  Connection* seen = nullptr;
  link.Query([&](Connection* c) { seen = c; });
  ASSERT_NE(seen, nullptr);
  std::string error;
  std::size_t written = 0;
  seen->Write(Hex("10 04 01"), written, error);
  EXPECT_EQ(driver.RunsTo(kName), std::vector<Bytes>{Hex("10 04 01")});
  link.CloseAll();
  ChooseInterface(panel, link, PortKind::Serial);
  link.CloseAll();
  link.Query([&](Connection* c) { seen = c; });
  EXPECT_EQ(seen, nullptr);
}

}  // namespace
