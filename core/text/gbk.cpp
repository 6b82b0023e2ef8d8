#include "text/gbk.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gbk {

namespace {

constexpr int kTrails = 191;

// Unicode to two-byte code, sorted by code point, built once on first use.
const std::vector<std::pair<char32_t, std::uint16_t>>& Reverse() {
  static const std::vector<std::pair<char32_t, std::uint16_t>> table = [] {
    std::vector<std::pair<char32_t, std::uint16_t>> t;
    for (int i = 0; i < 126 * kTrails; ++i)
      if (detail::kToUnicode[i] != 0)
        t.emplace_back(detail::kToUnicode[i], static_cast<std::uint16_t>((0x81 + i / kTrails) << 8 | (0x40 + i % kTrails)));
    std::sort(t.begin(), t.end());
    return t;
  }();
  return table;
}

// One UTF-8 sequence at `at`; 0xFFFFFFFF when malformed.
char32_t NextUtf8(std::string_view s, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t b = byte(at);
  int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || at + extra >= s.size() + (extra == 0 ? 1 : 0)) {
    ++at;
    return 0xFFFFFFFF;
  }
  char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return 0xFFFFFFFF;
    }
    cp = cp << 6 | (byte(at + i) & 0x3F);
  }
  at += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

char32_t ToUnicode(std::uint8_t lead, std::uint8_t trail) {
  if (!IsLead(lead) || !IsTrail(trail)) return 0;
  return detail::kToUnicode[(lead - 0x81) * kTrails + (trail - 0x40)];
}

std::uint16_t FromUnicode(char32_t cp) {
  if (cp < 0x80) return static_cast<std::uint16_t>(cp);
  const auto& table = Reverse();
  const auto it = std::lower_bound(table.begin(), table.end(), std::pair<char32_t, std::uint16_t>(cp, 0));
  return it != table.end() && it->first == cp ? it->second : 0;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(text[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    const char32_t cp = i + 1 < text.size() ? ToUnicode(b, static_cast<std::uint8_t>(text[i + 1])) : 0;
    if (cp != 0) ++i;
    AppendUtf8(out, cp != 0 ? cp : 0xFFFD);
  }
  return out;
}

bool FromUtf8(std::string_view utf8, std::string& out, std::string* bad) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const char32_t cp = NextUtf8(utf8, at);
    const std::uint16_t code = cp == 0xFFFFFFFF ? 0 : FromUnicode(cp);
    if (cp != 0 && code == 0) {
      if (bad) *bad = std::string(utf8.substr(start, at - start));
      return false;
    }
    if (code >= 0x100) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return true;
}

}  // namespace gbk
