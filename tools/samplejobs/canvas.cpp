#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace samplejobs {

Canvas::Canvas(Geometry geometry, int height)
    : width_(geometry.width),
      height_(height),
      dpiX_(geometry.dpiX),
      dpiY_(geometry.dpiY),
      dotSpan_(geometry.dotSpan) {
  if (width_ <= 0 || height_ < 0 || dpiX_ <= 0 || dpiY_ <= 0 || dotSpan_ <= 0) throw std::invalid_argument("bad canvas");
  dots_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

int Canvas::Mx(double mm) const { return static_cast<int>(std::lround(mm * dpiX_ / 25.4)); }
int Canvas::My(double mm) const { return static_cast<int>(std::lround(mm * dpiY_ / 25.4)); }

bool Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return dots_[static_cast<std::size_t>(y) * width_ + x] != 0;
}

void Canvas::Set(int x, int y, bool on) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  dots_[static_cast<std::size_t>(y) * width_ + x] = on ? 1 : 0;
}

void Canvas::Fill(int x, int y, int w, int h, bool on) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) dots_[static_cast<std::size_t>(yy) * width_ + xx] = on ? 1 : 0;
}

void Canvas::Frame(int x, int y, int w, int h, int tx, int ty) {
  Fill(x, y, w, ty);
  Fill(x, y + h - ty, w, ty);
  Fill(x, y, tx, h);
  Fill(x + w - tx, y, tx, h);
}

void Canvas::Line(int x0, int y0, int x1, int y1, int tx, int ty) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Fill(x0 - tx / 2, y0 - ty / 2, tx, ty);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

namespace {

// Inside test of an axis-aligned ellipse, measured at dot centres.
bool InEllipse(int dx, int dy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return false;
  double u = dx / rx, v = dy / ry;
  return u * u + v * v <= 1.0;
}

}  // namespace

void Canvas::Ring(int cx, int cy, int rx, int ry, int tx, int ty) {
  for (int dy = -ry; dy <= ry; ++dy)
    for (int dx = -rx; dx <= rx; ++dx)
      if (InEllipse(dx, dy, rx + 0.5, ry + 0.5) && !InEllipse(dx, dy, rx - tx + 0.5, ry - ty + 0.5))
        Set(cx + dx, cy + dy);
}

void Canvas::Disc(int cx, int cy, int rx, int ry) {
  for (int dy = -ry; dy <= ry; ++dy)
    for (int dx = -rx; dx <= rx; ++dx)
      if (InEllipse(dx, dy, rx + 0.5, ry + 0.5)) Set(cx + dx, cy + dy);
}

void Canvas::Shade(int x, int y, int w, int h, int level) {
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (kBayer[yy & 3][(xx / dotSpan_) & 3] < level && xx % dotSpan_ == 0) Set(xx, yy);
}

void Canvas::CropHeight(int height) {
  height = std::clamp(height, 0, height_);
  dots_.resize(static_cast<std::size_t>(width_) * height);
  height_ = height;
}

}  // namespace samplejobs
