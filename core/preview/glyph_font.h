#pragma once

#include <cstdint>

// The preview's bitmap font: 12 x 24 dots for ASCII, 24 x 24 dots for the
// two-byte codes of code page 936 and GB18030's four-byte codes the fonts
// have. Drawn at build time from font packages.
namespace preview {

struct Glyph {
  const std::uint8_t* rows = nullptr;  // `height` rows of (width + 7) / 8 bytes, leftmost dot in the top bit
  int width = 0;
  int height = 0;
  bool Dot(int x, int y) const { return rows[y * ((width + 7) / 8) + x / 8] & (0x80 >> (x % 8)); }
};

inline constexpr int kFontHeight = 24;
inline constexpr int kNarrowWidth = 12;
inline constexpr int kWideWidth = 24;

// ASCII 20..7E; anything else draws as '?'.
Glyph NarrowGlyph(std::uint8_t c);
// A two-byte code; nullptr rows when the font has no sign for it.
Glyph WideGlyph(std::uint8_t lead, std::uint8_t trail);

// Byte 80..FF of the single-byte code table ESC t selects; nullptr rows
// when the table is not one drawn here or has no sign there.
Glyph CodePageGlyph(int table, std::uint8_t b);

// The character of byte 80..FF in that table; 0 when there is none.
char32_t CodePageChar(int table, std::uint8_t b);

// The character of a GB18030 four-byte code (b1 b3 81..FE, b2 b4 30..39);
// 0 when there is none.
char32_t FourByteChar(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4);
// Its 24 x 24 sign; nullptr rows when the font has none.
Glyph FourByteGlyph(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4);

namespace detail {
extern const char kNarrowGlyphs[];
extern const std::int16_t kWideGlyphIndex[126 * 191];
extern const char kWideGlyphs[];
extern const int kSingleByteTableCount;
extern const std::uint8_t kSingleByteTableNumbers[];
extern const char32_t kSingleByteTables[];  // 128 characters per table
extern const int kExtraGlyphCount;
extern const char32_t kExtraGlyphCodes[];   // ascending
extern const char kExtraGlyphs[];
extern const char16_t kFourByteBmp[39420];  // 81 30 81 30 onwards
extern const int kFourByteGlyphCount;
extern const char32_t kFourByteGlyphCodes[];  // ascending
extern const char kFourByteGlyphs[];
}  // namespace detail

}  // namespace preview
