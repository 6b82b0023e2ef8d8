// Decode then render on every paper; the first byte picks the command set.
// The picture stays within 3 m of paper and 9 inches of canvas.
#include <cstdint>
#include <span>

#include "check.h"
#include "preview/decoder.h"
#include "preview/renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr preview::CommandSet kSets[] = {preview::CommandSet::EscPos, preview::CommandSet::Star,
                                           preview::CommandSet::EscP, preview::CommandSet::Oki};
  const preview::CommandSet set = kSets[data[0] % 4];
  const std::span<const std::uint8_t> stream(data + 1, size - 1);
  const preview::Decoding d = preview::Decode(stream, set);
  for (const char* name : {"58", "80", "76"}) {
    const preview::Paper paper = *preview::PaperFor(name, set);
    const preview::Rendering r = preview::Render(stream, d, set, paper);
    const preview::Page& page = r.page;
    FUZZ_CHECK(page.height >= 1 && page.height <= 3000 / 25.4 * paper.dpiY + 1, "%s mm: %d rows", name, page.height);
    FUZZ_CHECK(page.width >= paper.width && page.width <= 9 * paper.dpiX, "%s mm: %d columns", name, page.width);
    FUZZ_CHECK(page.cells.size() == static_cast<std::size_t>(page.width) * page.height, "%s mm: cells", name);
  }
  return 0;
}
