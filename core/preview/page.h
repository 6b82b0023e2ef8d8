#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preview {

enum : std::uint8_t { kPaper = 0, kDot = 1, kMark = 2 };

// A printout on a grid of dpiX x dpiY cells: paper, a printed dot, or a
// mark where the paper was cut or ejected.
struct Page {
  int width = 0;
  int height = 0;
  int dpiX = 0;
  int dpiY = 0;
  std::vector<std::uint8_t> cells;
  std::uint8_t At(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace preview
