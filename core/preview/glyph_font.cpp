#include "preview/glyph_font.h"

#include <algorithm>
#include <iterator>

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

char32_t FourByteChar(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
  if (b1 < 0x81 || b1 > 0xFE || b3 < 0x81 || b3 > 0xFE || b2 < 0x30 || b2 > 0x39 || b4 < 0x30 || b4 > 0x39) return 0;
  const std::uint32_t linear = (((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 126 + (b3 - 0x81u)) * 10 + (b4 - 0x30u);
  if (linear < std::size(detail::kFourByteBmp)) return detail::kFourByteBmp[linear];
  constexpr std::uint32_t kPlaneOneStart = (0x90 - 0x81) * 12600;  // 90 30 81 30 is U+10000
  if (linear < kPlaneOneStart || linear - kPlaneOneStart > 0xFFFFF) return 0;
  return 0x10000 + (linear - kPlaneOneStart);
}

Glyph FourByteGlyph(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
  const char32_t cp = FourByteChar(b1, b2, b3, b4);
  const char32_t* end = detail::kFourByteGlyphCodes + detail::kFourByteGlyphCount;
  const char32_t* found = std::lower_bound(detail::kFourByteGlyphCodes, end, cp);
  if (cp == 0 || found == end || *found != cp) return {nullptr, kWideWidth, kFontHeight};
  return {reinterpret_cast<const std::uint8_t*>(detail::kFourByteGlyphs) + (found - detail::kFourByteGlyphCodes) * kWideBytes,
          kWideWidth, kFontHeight};
}

}  // namespace preview
