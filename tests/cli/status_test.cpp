// postest status: a row of printers as a script sees them, by exit status
// and output.
#include <gtest/gtest.h>

#include "postest_runner.h"
#include "status/line_printers.h"

namespace {

PrinterScript PaperOutScript() {
  PrinterScript s = ReadyPrinterScript();
  s["10 04 01"] = Hex("1A");
  s["10 04 02"] = Hex("32");
  s["10 04 04"] = Hex("7E");
  return s;
}

TEST(PostestStatus, ExitStatusTellsReadyProblemOrNoAnswer) {
  const struct {
    const char* name;
    PrinterScript script;
    bool reads;
    int status;
    const char* firstLine;
  } cases[] = {
      {"ready", ReadyPrinterScript(), true, 0, "可以打印"},
      {"paper out", PaperOutScript(), true, 1, "不能打印：脱机、因缺纸停止打印、缺纸"},
      {"never answers", {}, false, 3, "无应答"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TcpPrinter printer(c.script, c.reads);
    const RunResult r = RunPostest({"status", "--to", "tcp://127.0.0.1:" + std::to_string(printer.Port())});
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.firstLine);
  }
}

TEST(PostestStatus, VirtualPrinterOnASerialLine) {
  VirtualPrinter printer("cover-open");
  const RunResult r = RunPostest({"status", "--to", printer.Com1(), "--baud", "19200"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.out.find("\n上盖打开\n"), std::string::npos) << r.out;
}

TEST(PostestStatus, JsonHasEnglishKeysAndChineseLines) {
  TcpPrinter printer(ReadyPrinterScript(), true);
  const RunResult r =
      RunPostest({"status", "--json", "--to", "tcp://127.0.0.1:" + std::to_string(printer.Port())});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* part : {"{\"answer\": \"answered\", \"ready\": true, \"lines\": [\"可以打印\", \"联机\"",
                           "\"printer\": 18, \"offline\": false", "\"paper_end\": false", "\"model\": \"TP-80\"",
                           "\"type_id\": 3"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << " in " << r.out;
}

TEST(PostestStatus, RefusedOrNoPrinter) {
  int port = 0;
  { TcpPrinter gone({}, false); port = gone.Port(); }
  const RunResult refused = RunPostest({"status", "--json", "--to", "tcp://127.0.0.1:" + std::to_string(port)});
  EXPECT_EQ(refused.status, 3);
  EXPECT_NE(refused.out.find("\"answer\": \"failed\""), std::string::npos) << refused.out;

  const std::string file = (WorkDir() / "not-a-printer.bin").string();
  const RunResult notPrinter = RunPostest({"status", "--to", file});
  EXPECT_EQ(notPrinter.status, 2);
  EXPECT_FALSE(std::filesystem::exists(file)) << "a file target is not created";
}

TEST(PostestStatus, HelpTellsTheExitStatuses) {
  const RunResult r = RunPostest({"status", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("0 when the printer answered and is ready to print, 1 when it\nanswered with a problem"),
            std::string::npos);
  EXPECT_NE(r.out.find("3 when no"), std::string::npos);
}

}  // namespace
