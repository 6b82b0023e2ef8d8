#include "canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace pictures {

namespace {

constexpr int kSamples = 5;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Rows of a 5 × 7 glyph, '#' for a dot.
struct Glyph {
  char ch;
  std::array<const char*, 7> rows;
};

// clang-format off
constexpr Glyph kFace[] = {
  {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
  {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
  {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
  {'D', {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}},
  {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
  {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
  {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
  {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
  {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
  {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
  {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
  {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
  {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
  {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
  {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
  {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
  {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
  {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
  {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
  {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
  {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
  {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
  {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
  {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
  {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
  {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
  {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
  {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
  {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
  {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
  {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
  {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
  {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
  {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
  {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
  {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
  {'/', {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."}},
  {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
  {'*', {".....", "#.#.#", ".###.", "#####", ".###.", "#.#.#", "....."}},
};
// clang-format on

const Glyph& FindGlyph(char ch) {
  for (const Glyph& glyph : kFace) {
    if (glyph.ch == ch) return glyph;
  }
  throw std::invalid_argument(std::string("no glyph for '") + ch + "'");
}

}  // namespace

Color Hex(unsigned rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Color Mix(Color from, Color to, double t) {
  t = Clamp01(t);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
          from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Rect::Rect(double x0, double y0, double x1, double y1, double radius)
    : box_{x0, y0, x1, y1}, radius_(radius) {}

Box Rect::Bounds() const { return box_; }

bool Rect::Contains(double x, double y) const {
  if (x < box_.x0 || x >= box_.x1 || y < box_.y0 || y >= box_.y1) return false;
  if (radius_ <= 0) return true;
  // Distance from the inner rectangle whose corners are the arc centres.
  const double dx = std::max({box_.x0 + radius_ - x, 0.0, x - (box_.x1 - radius_)});
  const double dy = std::max({box_.y0 + radius_ - y, 0.0, y - (box_.y1 - radius_)});
  return dx * dx + dy * dy <= radius_ * radius_;
}

Ellipse::Ellipse(double cx, double cy, double rx, double ry) : cx_(cx), cy_(cy), rx_(rx), ry_(ry) {}

Box Ellipse::Bounds() const { return {cx_ - rx_, cy_ - ry_, cx_ + rx_, cy_ + ry_}; }

bool Ellipse::Contains(double x, double y) const {
  const double nx = (x - cx_) / rx_;
  const double ny = (y - cy_) / ry_;
  return nx * nx + ny * ny <= 1.0;
}

Polygon::Polygon(std::vector<Point> points) : points_(std::move(points)) {
  bounds_ = {1e300, 1e300, -1e300, -1e300};
  for (const Point& p : points_) {
    bounds_.x0 = std::min(bounds_.x0, p.x);
    bounds_.y0 = std::min(bounds_.y0, p.y);
    bounds_.x1 = std::max(bounds_.x1, p.x);
    bounds_.y1 = std::max(bounds_.y1, p.y);
  }
}

Box Polygon::Bounds() const { return bounds_; }

bool Polygon::Contains(double x, double y) const {
  bool inside = false;
  const std::size_t n = points_.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point& a = points_[i];
    const Point& b = points_[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

Box Clip::Bounds() const {
  const Box a = shape_.Bounds();
  const Box b = window_.Bounds();
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Color Gradient::At(double x, double y) const {
  const double dx = p1_.x - p0_.x;
  const double dy = p1_.y - p0_.y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? ((x - p0_.x) * dx + (y - p0_.y) * dy) / length2 : 0;
  return Mix(from_, to_, t);
}

Color Radial::At(double x, double y) const {
  const double d = std::hypot(x - centre_.x, y - centre_.y);
  return Mix(inner_, outer_, d / radius_);
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

Canvas::Canvas(int width, int height, double scale, Point from) : Canvas(width, height) {
  scale_ = scale;
  from_ = from;
}

void Canvas::Fill(const Shape& shape, Color color) { Fill(shape, Solid(color)); }

void Canvas::Fill(const Shape& shape, const Paint& paint) {
  const Box box = shape.Bounds();
  const int px0 = std::max(0, static_cast<int>(std::floor((box.x0 + originX_ - from_.x) * scale_)));
  const int py0 = std::max(0, static_cast<int>(std::floor((box.y0 + originY_ - from_.y) * scale_)));
  const int px1 = std::min(width_, static_cast<int>(std::ceil((box.x1 + originX_ - from_.x) * scale_)));
  const int py1 = std::min(height_, static_cast<int>(std::ceil((box.y1 + originY_ - from_.y) * scale_)));
  const double step = 1 / scale_;  // one pixel in shape units
  for (int py = py0; py < py1; ++py) {
    for (int px = px0; px < px1; ++px) {
      // Shape coordinates of the pixel's top-left corner.
      const double x = px * step + from_.x - originX_;
      const double y = py * step + from_.y - originY_;
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (shape.Contains(x + (sx + 0.5) / kSamples * step, y + (sy + 0.5) / kSamples * step)) ++hits;
        }
      }
      if (hits == 0) continue;
      const Color c = paint.At(x + 0.5 * step, y + 0.5 * step);
      const double a = Clamp01(c.a) * hits / (kSamples * kSamples);
      Premultiplied& d = pixels_[static_cast<std::size_t>(py) * width_ + px];
      d.r = c.r * a + d.r * (1 - a);
      d.g = c.g * a + d.g * (1 - a);
      d.b = c.b * a + d.b * (1 - a);
      d.a = a + d.a * (1 - a);
    }
  }
}

Color Canvas::Pixel(int x, int y) const {
  const Premultiplied& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
  if (p.a <= 0) return {0, 0, 0, 0};
  return {Clamp01(p.r / p.a), Clamp01(p.g / p.a), Clamp01(p.b / p.a), Clamp01(p.a)};
}

double TextWidth(std::string_view text, double pitch) {
  if (text.empty()) return 0;
  return (static_cast<double>(text.size()) * 6 - 1) * pitch;
}

void DrawText(Canvas& canvas, double x, double y, std::string_view text, const DotText& style,
              const Paint& paint) {
  const double size = style.pitch * style.dot;
  const double inset = (style.pitch - size) / 2;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Glyph& glyph = FindGlyph(text[i]);
    const double gx = x + static_cast<double>(i) * 6 * style.pitch;
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (glyph.rows[row][col] != '#') continue;
        const double dx = gx + col * style.pitch + inset;
        const double dy = y + row * style.pitch + inset;
        if (style.round) {
          canvas.Fill(Ellipse(dx + size / 2, dy + size / 2, size / 2, size / 2), paint);
        } else {
          canvas.Fill(Rect(dx, dy, dx + size, dy + size), paint);
        }
      }
    }
  }
}

}  // namespace pictures
