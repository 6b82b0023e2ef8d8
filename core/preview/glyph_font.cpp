#include "preview/glyph_font.h"

#include <algorithm>

#include "text/gbk.h"

namespace preview {

namespace {
constexpr int kNarrowBytes = 2 * kFontHeight;
constexpr int kWideBytes = 3 * kFontHeight;
}  // namespace

Glyph NarrowGlyph(std::uint8_t c) {
  if (c < 0x20 || c > 0x7E) c = '?';
  return {reinterpret_cast<const std::uint8_t*>(detail::kNarrowGlyphs) + (c - 0x20) * kNarrowBytes, kNarrowWidth,
          kFontHeight};
}

Glyph WideGlyph(std::uint8_t lead, std::uint8_t trail) {
  if (!gbk::IsLead(lead) || !gbk::IsTrail(trail)) return {};
  const int index = detail::kWideGlyphIndex[(lead - 0x81) * 191 + (trail - 0x40)];
  if (index < 0) return {nullptr, kWideWidth, kFontHeight};
  return {reinterpret_cast<const std::uint8_t*>(detail::kWideGlyphs) + static_cast<long>(index) * kWideBytes, kWideWidth,
          kFontHeight};
}

char32_t CodePageChar(int table, std::uint8_t b) {
  if (b < 0x80) return 0;
  for (int i = 0; i < detail::kSingleByteTableCount; ++i)
    if (detail::kSingleByteTableNumbers[i] == table) return detail::kSingleByteTables[i * 128 + (b - 0x80)];
  return 0;
}

Glyph CodePageGlyph(int table, std::uint8_t b) {
  const char32_t cp = CodePageChar(table, b);
  const char32_t* end = detail::kExtraGlyphCodes + detail::kExtraGlyphCount;
  const char32_t* found = std::lower_bound(detail::kExtraGlyphCodes, end, cp);
  if (cp == 0 || found == end || *found != cp) return {nullptr, kNarrowWidth, kFontHeight};
  return {reinterpret_cast<const std::uint8_t*>(detail::kExtraGlyphs) + (found - detail::kExtraGlyphCodes) * kNarrowBytes,
          kNarrowWidth, kFontHeight};
}

}  // namespace preview
