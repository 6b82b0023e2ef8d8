// The query against a scripted printer: what is asked, in which order,
// and what comes of stray, missing, late and broken answers.
#include <gtest/gtest.h>

#include "scripted_connection.h"
#include "status/findings.h"
#include "status/printer_query.h"
#include "text/gbk.h"

namespace {

const std::string kStatusRequests = "10 04 01|10 04 02|10 04 03|10 04 04";
const std::string kAllRequests = kStatusRequests + "|1D 49 01|1D 49 02|1D 49 03|1D 49 41|1D 49 42|1D 49 43|1D 49 44";

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "|") + p;
  return out;
}

// The lines shown, in UTF-8.
std::string Lines(const PrinterAnswers& answers) {
  std::vector<std::string> lines;
  for (const std::string& line : ResultLines(answers)) lines.push_back(gbk::ToUtf8(line));
  return Join(lines);
}

TEST(PrinterQuery, ReadyPrinterTellsStatusAndIdentity) {
  ScriptedConnection printer;
  printer.answers = ReadyPrinterScript();
  const PrinterAnswers answers = QueryPrinter(printer);
  EXPECT_EQ(Join(printer.writes), kAllRequests);
  EXPECT_TRUE(ReadyToPrint(answers));
  EXPECT_EQ(Lines(answers),
            "可以打印|联机|钱箱信号：低|走纸键未按下|上盖关闭|切刀正常|无不可恢复错误|无可自动恢复错误|有纸|纸量充足|"
            "型号ID：20H|类型ID：03H（支持双字节字符、装有自动切刀）|固件版本ID：05H|固件版本：1.07|厂商：ACME|"
            "型号：TP-80|序列号：K0042");
}

struct QueryCase {
  const char* name;
  PrinterScript changes;        // over ReadyPrinterScript(); an empty answer: none
  const char* stale;     // waiting before the first request
  std::size_t chunk;     // bytes per read
  const char* failWrite;
  PrinterAnswers::Outcome outcome;
  std::string writes;
  const char* lines;     // lines that must be among those shown ("" none)
};

using O = PrinterAnswers::Outcome;
const QueryCase kCases[] = {
    {"silent printer is asked once", {{"10 04 01", {}}}, "", 1000, "", O::Silent, "10 04 01",
     "无应答|请检查打印机电源、连线、接口和端口设置"},
    {"garbage is no status", {{"10 04 01", Hex("FF 00 55")}}, "", 1000, "", O::Garbled, "10 04 01",
     "应答无法识别（请检查波特率等端口设置）"},
    {"stray bytes before the answer are skipped", {{"10 04 01", Hex("00 FF 1A")}}, "", 1000, "", O::Answered,
     kStatusRequests, "不能打印：脱机|脱机"},
    {"a stale status is thrown away", {}, "1A 1A", 1000, "", O::Answered, kAllRequests, "联机"},
    {"offline printer is not asked who it is", {{"10 04 01", Hex("3A")}, {"10 04 02", Hex("16")}}, "", 1000, "",
     O::Answered, kStatusRequests, "不能打印：脱机、等待恢复联机、上盖打开"},
    {"missing answers are named", {{"10 04 03", {}}, {"10 04 04", {}}}, "", 1000, "", O::Answered, kAllRequests,
     "错误原因：无应答|纸传感器：无应答"},
    {"no model id: no more identity", {{"1D 49 01", {}}}, "", 1000, "", O::Answered, kStatusRequests + "|1D 49 01",
     ""},
    {"no firmware text: no more texts", {{"1D 49 41", {}}}, "", 1000, "", O::Answered,
     kStatusRequests + "|1D 49 01|1D 49 02|1D 49 03|1D 49 41", "固件版本ID：05H"},
    {"an id byte with bit 4 is no id", {{"1D 49 02", Hex("10")}}, "", 1000, "", O::Answered,
     kStatusRequests + "|1D 49 01|1D 49 02|1D 49 41|1D 49 42|1D 49 43|1D 49 44", "型号ID：20H"},
    {"answers one byte at a time", {}, "", 1, "", O::Answered, kAllRequests, "型号：TP-80"},
    {"a text with a control byte is no text",
     {{"1D 49 43", Cat({Hex("5F"), Ascii("TP"), Hex("01"), Ascii("80"), Hex("00")})}}, "", 1000, "", O::Answered,
     kStatusRequests + "|1D 49 01|1D 49 02|1D 49 03|1D 49 41|1D 49 42|1D 49 43", "厂商：ACME"},
    {"failed first write", {}, "", 1000, "10 04 01", O::Failed, "", "查询失败：cable pulled"},
    {"failed identity write keeps the status", {}, "", 1000, "1D 49 01", O::Answered, kStatusRequests, "联机"},
};

TEST(PrinterQuery, Behaviours) {
  for (const QueryCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ScriptedConnection printer;
    printer.answers = ReadyPrinterScript();
    for (const auto& [request, answer] : c.changes) printer.answers[request] = answer;
    printer.pending = Hex(c.stale);
    printer.chunk = c.chunk;
    printer.failWrite = c.failWrite;
    const PrinterAnswers answers = QueryPrinter(printer);
    EXPECT_EQ(answers.outcome, c.outcome);
    EXPECT_EQ(Join(printer.writes), c.writes);
    EXPECT_NE(Lines(answers).find(c.lines), std::string::npos) << Lines(answers);
  }
}

TEST(PrinterQuery, ReadFailureBeforeAnyAnswerFails) {
  ScriptedConnection printer;
  printer.failRead = true;
  const PrinterAnswers answers = QueryPrinter(printer);
  EXPECT_EQ(answers.outcome, O::Failed);
  EXPECT_EQ(answers.failure, "port gone");
  EXPECT_FALSE(ReadyToPrint(answers));
}

}  // namespace
