#include "preview/glyph_font.h"

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

}  // namespace preview
