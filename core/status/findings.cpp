#include "status/findings.h"

#include <algorithm>

#include "status/status_tables.h"

namespace {

constexpr std::string_view kColon = "：";

std::string HexByte(std::uint8_t b) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[b >> 4], digits[b & 15], 'H'};
}

void AddStatus(const PrinterAnswers& answers, std::vector<Finding>& out) {
  for (const StatusRequest& r : StatusRequests()) {
    const auto& answer = answers.status[r.n - 1];
    if (!answer) {
      out.push_back({std::string(r.key), std::string(r.name) + std::string(kColon) + "无应答", {}, false});
      continue;
    }
    out.push_back({std::string(r.key), "", int{*answer}, false});
    for (const StatusBit& bit : StatusBits()) {
      if (bit.request != r.n) continue;
      const bool on = (*answer & bit.mask) != 0;
      out.push_back({std::string(bit.key), std::string(on ? bit.on : bit.off), on, on && bit.problem});
    }
  }
}

std::string TypeText(std::uint8_t id) {
  std::string text;
  for (const TypeBit& bit : TypeBits()) {
    if (!(id & bit.mask)) continue;
    text += text.empty() ? "（" : "、";
    text += bit.text;
  }
  return text.empty() ? text : text + "）";
}

void AddIdentity(const PrinterAnswers& answers, std::vector<Finding>& out) {
  for (const PrinterAnswers::Identity& id : answers.identity) {
    const auto rows = IdentityRequests();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const IdentityRequest& r) { return r.n == id.n; });
    if (row == rows.end()) continue;
    std::string line = std::string(row->label) + std::string(kColon);
    if (row->text) {
      out.push_back({std::string(row->key), line + id.value, id.value, false});
      continue;
    }
    const auto b = static_cast<std::uint8_t>(id.value.empty() ? 0 : id.value[0]);
    line += HexByte(b);
    if (id.n == 2) line += TypeText(b);
    out.push_back({std::string(row->key), line, int{b}, false});
  }
}

}  // namespace

std::vector<Finding> Findings(const PrinterAnswers& answers) {
  using O = PrinterAnswers::Outcome;
  switch (answers.outcome) {
    case O::Silent: return {{"answer", "无应答", {}, true}};
    case O::Garbled: return {{"answer", "应答无法识别（请检查波特率等端口设置）", {}, true}};
    case O::Failed: return {{"answer", "查询失败：" + answers.failure, {}, true}};
    case O::Answered: break;
  }
  std::vector<Finding> out;
  AddStatus(answers, out);
  AddIdentity(answers, out);
  return out;
}

bool ReadyToPrint(const PrinterAnswers& answers) {
  if (answers.outcome != PrinterAnswers::Outcome::Answered) return false;
  const auto findings = Findings(answers);
  return std::none_of(findings.begin(), findings.end(), [](const Finding& f) { return f.problem; });
}

std::vector<std::string> ResultLines(const PrinterAnswers& answers) {
  const auto findings = Findings(answers);
  std::vector<std::string> lines;
  if (answers.outcome == PrinterAnswers::Outcome::Answered) {
    std::string summary;
    for (const Finding& f : findings)
      if (f.problem) summary += (summary.empty() ? "不能打印：" : "、") + f.text;
    lines.push_back(summary.empty() ? "可以打印" : summary);
  }
  for (const Finding& f : findings)
    if (!f.text.empty()) lines.push_back(f.text);
  if (answers.outcome == PrinterAnswers::Outcome::Silent) lines.push_back("请检查打印机电源、连线、接口和端口设置");
  return lines;
}

std::string_view OutcomeKey(PrinterAnswers::Outcome outcome) {
  using O = PrinterAnswers::Outcome;
  switch (outcome) {
    case O::Answered: return "answered";
    case O::Silent: return "silent";
    case O::Garbled: return "garbled";
    case O::Failed: return "failed";
  }
  return "";
}
