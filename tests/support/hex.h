#pragma once

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// "1B 40 1C26" -> bytes; spaces are ignored.
inline Bytes Hex(std::string_view text) {
  Bytes out;
  int high = -1;
  for (char ch : text) {
    if (std::isspace(static_cast<unsigned char>(ch))) continue;
    if (!std::isxdigit(static_cast<unsigned char>(ch))) throw std::invalid_argument("bad hex");
    int v = std::isdigit(static_cast<unsigned char>(ch)) ? ch - '0' : (std::tolower(ch) - 'a' + 10);
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<std::uint8_t>(high * 16 + v));
      high = -1;
    }
  }
  if (high >= 0) throw std::invalid_argument("odd hex digits");
  return out;
}

// ASCII text as bytes.
inline Bytes Ascii(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline Bytes Repeat(const Bytes& piece, int times) {
  Bytes out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), piece.begin(), piece.end());
  return out;
}

inline std::string ToHex(const Bytes& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) s += ' ';
    s += digits[bytes[i] >> 4];
    s += digits[bytes[i] & 15];
  }
  return s;
}
