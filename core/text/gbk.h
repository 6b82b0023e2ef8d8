#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Code page 936 (GB2312 and its GBK extension) next to Unicode, for texts
// shown to a user and typed by one. The table is generated at build time.
namespace gbk {

inline bool IsLead(std::uint8_t b) { return b >= 0x81 && b <= 0xFE; }
inline bool IsTrail(std::uint8_t b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// The character of a two-byte code, or 0 when the code holds none.
char32_t ToUnicode(std::uint8_t lead, std::uint8_t trail);

// The code of a character as one or two bytes; 0 when code page 936 has none.
std::uint16_t FromUnicode(char32_t cp);

// Code page 936 text as UTF-8; bytes that are no character become U+FFFD.
std::string ToUtf8(std::string_view text);

// UTF-8 text as code page 936. False, with the text converted so far, when a
// character has no code or the input is not UTF-8; `bad` then names it.
bool FromUtf8(std::string_view utf8, std::string& out, std::string* bad = nullptr);

void AppendUtf8(std::string& out, char32_t cp);

namespace detail {
extern const std::uint16_t kToUnicode[126 * 191];
}

}  // namespace gbk
