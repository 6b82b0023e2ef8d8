#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Panel;

// How the command-set test panels read their fields.

// Copy count: signed decimal, 0 or no number means one copy, a negative
// count means none. Values beyond the 32-bit range saturate.
std::int32_t ReadCopyCount(Panel& panel, int id);

// Hexadecimal amount: the number modulo 2^32 (a minus sign negates it),
// lowest 8 bits kept. A field without a hexadecimal number gives 0.
std::uint8_t ReadHexByte(Panel& panel, int id);

// User text: GB2312 bytes, at most 2047, never ending in half a character.
std::string ReadUserText(Panel& panel, int id);

// The parsers behind the readers, on a field text.
std::int32_t ParseCopyCount(const std::string& text);
std::uint8_t ParseHexByte(const std::string& text);
// The hexadecimal number at the start of a text, modulo 2^32: blanks, one
// sign and a 0x prefix may come first. Nothing when no digit is found.
std::optional<std::uint32_t> ScanHexNumber(std::string_view text);
// Cuts code page 936 text to at most maxBytes without splitting a sign.
std::string CutGbk(const std::string& text, std::size_t maxBytes);
