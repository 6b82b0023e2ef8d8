// The query over real lines: a pseudo-terminal to the virtual printer of
// the end-to-end runs (e2e/capture.c) in each of its states, and loopback
// TCP listeners that answer like a printer, with garbage or never.
#include <gtest/gtest.h>

#include "line_printers.h"
#include "link/posix_transport.h"
#include "status/findings.h"
#include "status/printer_query.h"
#include "text/gbk.h"

namespace {

using Clock = std::chrono::steady_clock;
using O = PrinterAnswers::Outcome;

struct LineCase {
  const char* state;   // the printer's state
  O outcome;
  const char* line;    // among the lines shown
  bool ready;
};

bool Shows(const PrinterAnswers& answers, const std::string& line) {
  for (const Finding& f : Findings(answers))
    if (gbk::ToUtf8(f.text) == line) return true;
  return false;
}

TEST(QueryLines, VirtualPrinterOnAPseudoTerminal) {
  const LineCase cases[] = {
      {"", O::Answered, "型号：VIRTUAL PRINTER", true},
      {"paper-out", O::Answered, "缺纸", false},
      {"cover-open", O::Answered, "上盖打开", false},
      {"silent", O::Silent, "无应答", false},
      {"garbage", O::Garbled, "应答无法识别（请检查波特率等端口设置）", false},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.state);
    VirtualPrinter printer(c.state);
    Endpoint com1{TransportKind::Serial, printer.Com1(), "", LineSettings{9600, 8, 0, 0, true}};
    std::string error;
    const auto line = PosixTransport().Open(com1, error);
    ASSERT_NE(line, nullptr) << error;
    const auto started = Clock::now();
    const PrinterAnswers answers = QueryPrinter(*line);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(answers.outcome, c.outcome);
    EXPECT_TRUE(Shows(answers, c.line));
    EXPECT_EQ(ReadyToPrint(answers), c.ready);
    if (c.ready) {
      EXPECT_EQ(printer.Recorded(),
                "10 04 01 10 04 02 10 04 03 10 04 04 1D 49 01 1D 49 02 1D 49 03 1D 49 41 1D 49 42 1D 49 43 1D 49 44")
          << "the virtual printer still records every byte";
    }
  }
}

TEST(QueryLines, NetworkPrinters) {
  PrinterScript garbage;
  for (const auto& [request, answer] : ReadyPrinterScript()) garbage[request] = Ascii("OK\r\n");
  const struct {
    const char* name;
    PrinterScript script;
    bool reads;
    LineCase expected;
  } cases[] = {
      {"ready", ReadyPrinterScript(), true, {"", O::Answered, "序列号：K0042", true}},
      {"garbage", garbage, true, {"", O::Garbled, "应答无法识别（请检查波特率等端口设置）", false}},
      {"never answers", {}, false, {"", O::Silent, "无应答", false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TcpPrinter printer(c.script, c.reads);
    Endpoint where{TransportKind::Network, "127.0.0.1", std::to_string(printer.Port()), {}};
    std::string error;
    const auto line = PosixTransport().Open(where, error);
    ASSERT_NE(line, nullptr) << error;
    const auto started = Clock::now();
    const PrinterAnswers answers = QueryPrinter(*line);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(answers.outcome, c.expected.outcome);
    EXPECT_TRUE(Shows(answers, c.expected.line));
    EXPECT_EQ(ReadyToPrint(answers), c.expected.ready);
  }
}

}  // namespace
