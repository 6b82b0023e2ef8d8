// Every status bit through the tables: the line it gives, its key and
// whether it keeps the printer from printing; and which bytes count as a
// status at all.
#include <gtest/gtest.h>

#include <algorithm>

#include "status/findings.h"
#include "status/status_tables.h"
#include "support/hex.h"
#include "text/gbk.h"

namespace {

struct BitCase {
  int request;        // DLE EOT n answered with `answer`, the others with 12
  const char* answer;
  const char* key;
  bool on;
  const char* line;   // "" when the state shows no line
  bool ready;
};

const BitCase kBitCases[] = {
    {1, "12", "offline", false, "联机", true},
    {1, "1A", "offline", true, "脱机", false},
    {1, "12", "drawer_signal_high", false, "钱箱信号：低", true},
    {1, "16", "drawer_signal_high", true, "钱箱信号：高", true},
    {1, "32", "waiting_for_online", true, "等待恢复联机", false},
    {1, "12", "waiting_for_online", false, "", true},
    {1, "52", "feed_button_pressed", true, "走纸键按下", true},
    {1, "12", "feed_button_pressed", false, "走纸键未按下", true},
    {2, "16", "cover_open", true, "上盖打开", false},
    {2, "12", "cover_open", false, "上盖关闭", true},
    {2, "1A", "feeding_by_button", true, "正在按键走纸", true},
    {2, "32", "stopped_by_paper_end", true, "因缺纸停止打印", false},
    {2, "52", "error", true, "发生错误", false},
    {3, "1A", "cutter_error", true, "切刀错误", false},
    {3, "12", "cutter_error", false, "切刀正常", true},
    {3, "32", "unrecoverable_error", true, "不可恢复错误", false},
    {3, "12", "unrecoverable_error", false, "无不可恢复错误", true},
    {3, "52", "auto_recoverable_error", true, "可自动恢复错误", false},
    {3, "12", "auto_recoverable_error", false, "无可自动恢复错误", true},
    {4, "1E", "paper_near_end", true, "纸将尽", true},
    {4, "16", "paper_near_end", true, "纸将尽", true},  // one of two near-end sensors
    {4, "12", "paper_near_end", false, "纸量充足", true},
    {4, "7E", "paper_end", true, "缺纸", false},
    {4, "32", "paper_end", true, "缺纸", false},  // one of two end sensors
    {4, "12", "paper_end", false, "有纸", true},
};

TEST(StatusBits, EachBitGivesItsLineKeyAndReadiness) {
  for (const BitCase& c : kBitCases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.answer + " to DLE EOT " + std::to_string(c.request));
    PrinterAnswers answers;
    answers.outcome = PrinterAnswers::Outcome::Answered;
    for (auto& s : answers.status) s = 0x12;
    answers.status[c.request - 1] = Hex(c.answer)[0];
    const auto findings = Findings(answers);
    const auto f = std::find_if(findings.begin(), findings.end(), [&](const Finding& x) { return x.key == c.key; });
    ASSERT_NE(f, findings.end());
    EXPECT_EQ(f->value, Finding::Value(c.on));
    EXPECT_EQ(gbk::ToUtf8(f->text), c.line);
    EXPECT_EQ(ReadyToPrint(answers), c.ready);
  }
}

TEST(StatusBits, OnlyBytesWithTheFixedBitsAreStatus) {
  const std::pair<const char*, bool> cases[] = {
      {"12", true}, {"7E", true}, {"1A", true}, {"00", false}, {"FF", false},
      {"13", false}, {"10", false}, {"02", false}, {"92", false}, {"5F", false},
  };
  for (const auto& [byte, status] : cases) EXPECT_EQ(IsStatusByte(Hex(byte)[0]), status) << byte;
}

TEST(StatusBits, IdentityBytesHaveBitsFourAndSevenOff) {
  const std::pair<const char*, bool> cases[] = {{"20", true}, {"6F", true}, {"00", true}, {"10", false}, {"80", false}};
  for (const auto& [byte, id] : cases) EXPECT_EQ(IsIdentityByte(Hex(byte)[0]), id) << byte;
}

}  // namespace
