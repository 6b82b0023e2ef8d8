#include "panels/field_readers.h"

#include <limits>

#include "text/gbk.h"
#include "ui/panel.h"

namespace {

// The edit fields of the panels hand over at most 49 characters.
constexpr std::size_t kNumberFieldChars = 49;
constexpr std::size_t kUserTextBytes = 2047;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Skips white space and one optional sign; returns true for a minus.
bool SkipSpaceAndSign(std::string_view s, std::size_t& i) {
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  return negative;
}

}  // namespace

std::int32_t ParseCopyCount(const std::string& text) {
  std::size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < kLimit) value = value * 10 + (text[i] - '0');
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) value = std::numeric_limits<std::int32_t>::min();
  return value == 0 ? 1 : static_cast<std::int32_t>(value);
}

std::uint8_t ParseHexByte(const std::string& text) {
  return static_cast<std::uint8_t>(ScanHexNumber(text).value_or(0) & 0xFF);
}

std::optional<std::uint32_t> ScanHexNumber(std::string_view text) {
  std::size_t i = 0;
  const bool negative = SkipSpaceAndSign(text, i);
  // A prefix counts only when a hexadecimal digit follows it.
  if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      HexValue(text[i + 2]) >= 0)
    i += 2;
  if (i == text.size() || HexValue(text[i]) < 0) return std::nullopt;
  std::uint32_t value = 0;  // wraps modulo 2^32
  for (; i < text.size() && HexValue(text[i]) >= 0; ++i) value = value * 16 + HexValue(text[i]);
  return negative ? 0u - value : value;
}

std::string CutGbk(const std::string& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = gbk::IsLead(static_cast<std::uint8_t>(text[end])) ? 2 : 1;
    if (end + width > maxBytes || end + width > text.size()) break;
    end += width;
  }
  return text.substr(0, end);
}

std::int32_t ReadCopyCount(Panel& panel, int id) {
  return ParseCopyCount(panel.ItemText(id).substr(0, kNumberFieldChars));
}

std::uint8_t ReadHexByte(Panel& panel, int id) {
  return ParseHexByte(panel.ItemText(id).substr(0, kNumberFieldChars));
}

std::string ReadUserText(Panel& panel, int id) { return CutGbk(panel.ItemText(id), kUserTextBytes); }
