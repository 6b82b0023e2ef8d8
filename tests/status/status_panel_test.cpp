// The printer status dialog: the interface buttons, 查询 on each kind of
// interface, and the link it shares with the other panels.
#include "status/status_panel.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"
#include "link/printer_link.h"
#include "scripted_connection.h"
#include "status/status_panel_ids.h"
#include "text/gbk.h"

namespace {

// Every connection the link opens reaches the one scripted printer; opens
// of the names in `failing` fail.
class ScriptedPrinterTransport : public Transport, public Reporter {
 public:
  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override {
    opens.push_back(where.name);
    if (failing) {
      error = "refused";
      return nullptr;
    }
    return std::make_unique<Proxy>(printer);
  }
  std::vector<std::string> ListUsbPrinters() override { return {"usb-printer"}; }
  void Report(const LinkFailure& failure) override { reports.push_back(failure.reason); }

  ScriptedConnection printer;
  bool failing = false;
  std::vector<std::string> opens;
  std::vector<std::string> reports;

 private:
  struct Proxy : Connection {
    explicit Proxy(Connection& to) : to(to) {}
    bool Write(std::span<const std::uint8_t> b, std::size_t& n, std::string& e) override { return to.Write(b, n, e); }
    bool Read(std::span<std::uint8_t> b, std::chrono::milliseconds t, std::size_t& n, std::string& e) override {
      return to.Read(b, t, n, e);
    }
    bool Finish(std::string& e) override { return to.Finish(e); }
    Connection& to;
  };
};

struct Dialog {
  ScriptedPrinterTransport transport;
  SerialSettings settings;
  PrinterLink link{transport, transport, settings};
  StatusPanel logic{link};
  FakePanel panel;

  Dialog() {
    settings.networkHost = "10.0.0.9";
    transport.printer.answers = ReadyPrinterScript();
    logic.OnInit(panel);
  }
  void Click(int id) { logic.OnCommand(panel, id); }
  std::string FirstLine() {
    const auto& lines = panel.lists[IDC_STATUS_RESULTS];
    return lines.empty() ? "" : gbk::ToUtf8(lines.front());
  }
};

TEST(StatusPanel, QueryOnEachInterface) {
  const struct {
    int radio;  // 0: none chosen
    bool openFails;
    const char* firstLine;
    bool asked;
  } cases[] = {
      {0, false, "请先选择打印接口", false},
      {kSerialRadioId, false, "可以打印", true},
      {kUsbRadioId, false, "可以打印", true},
      {kNetworkRadioId, false, "可以打印", true},
      {kParallelRadioId, false, "并口不能读回打印机状态", false},
      {kSerialRadioId, true, "端口未打开，无法查询", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radio);
    Dialog d;
    d.transport.failing = c.openFails;
    if (c.radio) d.Click(c.radio);
    d.Click(IDC_STATUS_QUERY);
    EXPECT_EQ(d.FirstLine(), c.firstLine);
    EXPECT_EQ(!d.transport.printer.writes.empty(), c.asked);
  }
}

TEST(StatusPanel, InterfaceButtonsAskTheSharedQuestion) {
  Dialog d;
  d.Click(kNetworkRadioId);
  ASSERT_EQ(d.panel.messages.size(), 1u);
  EXPECT_EQ(gbk::ToUtf8(d.panel.messages[0].text), "您的打印机接口是网口？");
  EXPECT_TRUE(d.panel.checked[kNetworkRadioId]);
  EXPECT_EQ(d.link.InterfaceInUse(), PortKind::Network);
}

TEST(StatusPanel, OpensShowingTheInterfaceInUse) {
  Dialog d;
  d.link.SelectPortKind(PortKind::Usb);
  FakePanel again;
  d.logic.OnInit(again);
  EXPECT_TRUE(again.checked[kUsbRadioId]);
  EXPECT_FALSE(again.checked[kSerialRadioId]);
}

TEST(StatusPanel, QueryIsOnePressReconnectedAfter) {
  Dialog d;
  d.Click(kSerialRadioId);
  const std::size_t opens = d.transport.opens.size();
  d.Click(IDC_STATUS_QUERY);
  EXPECT_EQ(d.transport.opens.size(), opens + 1) << "the port is reset after the query, as after a press";
}

TEST(StatusPanel, CloseEndsTheDialog) {
  for (int id : {1, 2}) {
    Dialog d;
    d.Click(id);
    EXPECT_TRUE(d.panel.ended) << id;
  }
}

}  // namespace
