#pragma once

#include <cstdint>
#include <vector>

namespace samplejobs {

// Dot layout of one graphics mode: dots across and dots per inch on each axis.
// Impact and low-density modes have non-square dots, so the axes differ.
struct Geometry {
  int width = 0;
  double dpiX = 0;
  double dpiY = 0;
  int dotSpan = 1;  // columns one printed dot covers (impact double density: 2)
};

// A 1-bit drawing surface in printer dots. Drawing outside is clipped.
class Canvas {
 public:
  Canvas(Geometry geometry, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  double DpiX() const { return dpiX_; }
  double DpiY() const { return dpiY_; }

  // Millimetres to dots on each axis.
  int Mx(double mm) const;
  int My(double mm) const;

  bool At(int x, int y) const;
  void Set(int x, int y, bool on = true);
  void Fill(int x, int y, int w, int h, bool on = true);
  // Outline of a rectangle, tx dots thick left and right, ty dots top and bottom.
  void Frame(int x, int y, int w, int h, int tx, int ty);
  // Straight line drawn with a tx × ty pen.
  void Line(int x0, int y0, int x1, int y1, int tx, int ty);
  // Ellipse ring whose outer edge has radii rx, ry; the ring is tx / ty thick.
  void Ring(int cx, int cy, int rx, int ry, int tx, int ty);
  void Disc(int cx, int cy, int rx, int ry);
  // Ordered-dither grey: level 0 (white) to 16 (black), in steps of whole printed dots.
  void Shade(int x, int y, int w, int h, int level);

  // Keeps the top rows only.
  void CropHeight(int height);

 private:
  int width_;
  int height_;
  double dpiX_;
  double dpiY_;
  int dotSpan_;
  std::vector<std::uint8_t> dots_;
};

}  // namespace samplejobs
