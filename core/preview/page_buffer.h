#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The page buffer of ESC/POS page mode: dots across the paper's width,
// drawn through a print area turned to the print direction, and printed
// as a whole.
namespace preview {

class PageBuffer {
 public:
  struct Area {
    int x = 0, y = 0;  // dots from the page's top left corner
    int width = 1, height = 1;
  };

  // `spend` is asked for every cell the buffer grows by; growth it refuses is not made.
  PageBuffer(int paperWidth, int maxRows, std::function<bool(std::int64_t)> spend);

  // Clipped to the paper's width and the page's rows, at least one dot each way.
  void SetArea(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  const Area& area() const { return area_; }
  // 0 left to right from the top left, 1 bottom to top from the bottom left,
  // 2 right to left from the bottom right, 3 top to bottom from the top right.
  void SetDirection(int direction) { direction_ = direction & 3; }
  int direction() const { return direction_; }

  // The area as the print direction sees it: dots along a line and lines down.
  int LineLength() const { return direction_ & 1 ? area_.height : area_.width; }
  int Depth() const { return direction_ & 1 ? area_.width : area_.height; }

  // A dot at (x, y) of the turned area; outside it nothing is drawn.
  void Dot(std::int64_t x, std::int64_t y);
  // CAN: the area's dots are cleared.
  void ClearArea();
  // Empties the page; the area and direction stay.
  void Clear();

  // Rows from the page's top to the bottom of the area now set or of the
  // lowest one drawn in since the last Clear.
  int Height() const;
  // Calls `dot` with each printed dot's column and row, top row first.
  void ForEachDot(const std::function<void(int x, int y)>& dot) const;

 private:
  int paperWidth_;
  int maxRows_;
  std::function<bool(std::int64_t)> spend_;
  Area area_;
  int direction_ = 0;
  int bottom_ = 0;
  int rows_ = 0;  // rows held in cells_
  std::vector<std::uint8_t> cells_;
};

}  // namespace preview
