#include "preview/page_buffer.h"

#include <algorithm>
#include <utility>

namespace preview {

PageBuffer::PageBuffer(int paperWidth, int maxRows, std::function<bool(std::int64_t)> spend)
    : paperWidth_(std::max(1, paperWidth)), maxRows_(std::max(1, maxRows)), spend_(std::move(spend)) {
  SetArea(0, 0, paperWidth_, maxRows_);
}

void PageBuffer::SetArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  area_.x = static_cast<int>(std::clamp<std::int64_t>(x, 0, paperWidth_ - 1));
  area_.y = static_cast<int>(std::clamp<std::int64_t>(y, 0, maxRows_ - 1));
  area_.width = static_cast<int>(std::clamp<std::int64_t>(width, 1, paperWidth_ - area_.x));
  area_.height = static_cast<int>(std::clamp<std::int64_t>(height, 1, maxRows_ - area_.y));
}

int PageBuffer::Height() const { return std::max(bottom_, area_.y + area_.height); }

void PageBuffer::Dot(std::int64_t x, std::int64_t y) {
  if (x < 0 || y < 0 || x >= LineLength() || y >= Depth()) return;
  const int ax = static_cast<int>(x), ay = static_cast<int>(y);
  int col = 0, row = 0;
  switch (direction_) {
    case 0: col = ax; row = ay; break;
    case 1: col = ay; row = area_.height - 1 - ax; break;
    case 2: col = area_.width - 1 - ax; row = area_.height - 1 - ay; break;
    default: col = area_.width - 1 - ay; row = ax; break;
  }
  col += area_.x;
  row += area_.y;
  bottom_ = std::max(bottom_, area_.y + area_.height);
  if (row >= rows_) {
    // Grows by half its rows at a time, never past the page's last row.
    const int rows = std::min(maxRows_, std::max(row + 1, rows_ * 3 / 2));
    if (!spend_(std::int64_t{rows - rows_} * paperWidth_)) return;
    cells_.resize(static_cast<std::size_t>(rows) * paperWidth_, 0);
    rows_ = rows;
  }
  cells_[static_cast<std::size_t>(row) * paperWidth_ + col] = 1;
}

void PageBuffer::ClearArea() {
  for (int row = area_.y; row < std::min(rows_, area_.y + area_.height); ++row)
    std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(row) * paperWidth_ + area_.x, area_.width, 0);
}

void PageBuffer::Clear() {
  cells_.clear();
  cells_.shrink_to_fit();
  rows_ = 0;
  bottom_ = 0;
}

void PageBuffer::ForEachDot(const std::function<void(int x, int y)>& dot) const {
  for (int row = 0; row < rows_; ++row)
    for (int col = 0; col < paperWidth_; ++col)
      if (cells_[static_cast<std::size_t>(row) * paperWidth_ + col]) dot(col, row);
}

}  // namespace preview
