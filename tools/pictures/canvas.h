#pragma once

#include <string_view>
#include <vector>

namespace pictures {

// A colour with straight (not premultiplied) components in 0..1.
struct Color {
  double r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB, fully opaque.
Color Hex(unsigned rgb, double alpha = 1.0);
Color Mix(Color from, Color to, double t);

struct Point {
  double x = 0, y = 0;
};

// Pixel-space rectangle [x0, x1) × [y0, y1).
struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A shape: a bounding box and an inside test at any point of the plane.
class Shape {
 public:
  virtual ~Shape() = default;
  virtual Box Bounds() const = 0;
  virtual bool Contains(double x, double y) const = 0;
};

class Rect final : public Shape {
 public:
  Rect(double x0, double y0, double x1, double y1, double radius = 0);
  Box Bounds() const override;
  bool Contains(double x, double y) const override;

 private:
  Box box_;
  double radius_;
};

class Ellipse final : public Shape {
 public:
  Ellipse(double cx, double cy, double rx, double ry);
  Box Bounds() const override;
  bool Contains(double x, double y) const override;

 private:
  double cx_, cy_, rx_, ry_;
};

// A simple polygon, inside by the even-odd rule.
class Polygon final : public Shape {
 public:
  explicit Polygon(std::vector<Point> points);
  Box Bounds() const override;
  bool Contains(double x, double y) const override;

 private:
  std::vector<Point> points_;
  Box bounds_;
};

// Inside the first shape and outside the second.
class Cut final : public Shape {
 public:
  Cut(const Shape& keep, const Shape& remove) : keep_(keep), remove_(remove) {}
  Box Bounds() const override { return keep_.Bounds(); }
  bool Contains(double x, double y) const override {
    return keep_.Contains(x, y) && !remove_.Contains(x, y);
  }

 private:
  const Shape& keep_;
  const Shape& remove_;
};

// Inside both shapes.
class Clip final : public Shape {
 public:
  Clip(const Shape& shape, const Shape& window) : shape_(shape), window_(window) {}
  Box Bounds() const override;
  bool Contains(double x, double y) const override {
    return shape_.Contains(x, y) && window_.Contains(x, y);
  }

 private:
  const Shape& shape_;
  const Shape& window_;
};

// The colour of a fill at a point.
class Paint {
 public:
  virtual ~Paint() = default;
  virtual Color At(double x, double y) const = 0;
};

class Solid final : public Paint {
 public:
  explicit Solid(Color color) : color_(color) {}
  Color At(double, double) const override { return color_; }

 private:
  Color color_;
};

// Linear blend from `from` at p0 to `to` at p1, constant beyond the ends.
class Gradient final : public Paint {
 public:
  Gradient(Point p0, Color from, Point p1, Color to) : p0_(p0), p1_(p1), from_(from), to_(to) {}
  Color At(double x, double y) const override;

 private:
  Point p0_, p1_;
  Color from_, to_;
};

// Blend from `inner` at the centre to `outer` at the given radius.
class Radial final : public Paint {
 public:
  Radial(Point centre, double radius, Color inner, Color outer)
      : centre_(centre), radius_(radius), inner_(inner), outer_(outer) {}
  Color At(double x, double y) const override;

 private:
  Point centre_;
  double radius_;
  Color inner_, outer_;
};

// An RGBA picture, rows top to bottom, premultiplied alpha. Fills are
// antialiased by sampling each pixel on a 5 × 5 grid.
class Canvas {
 public:
  Canvas(int width, int height);
  // A view of the plane `scale` times the size whose top-left pixel shows
  // the point `from` (in unscaled units).
  Canvas(int width, int height, double scale, Point from);

  int Width() const { return width_; }
  int Height() const { return height_; }

  void Fill(const Shape& shape, const Paint& paint);
  void Fill(const Shape& shape, Color color);

  // Moves every later fill by (dx, dy) pixels.
  void SetOrigin(double dx, double dy) {
    originX_ = dx;
    originY_ = dy;
  }

  // Straight-alpha colour of one pixel.
  Color Pixel(int x, int y) const;

 private:
  struct Premultiplied {
    double r = 0, g = 0, b = 0, a = 0;
  };
  int width_, height_;
  double scale_ = 1;
  Point from_;
  double originX_ = 0, originY_ = 0;
  std::vector<Premultiplied> pixels_;
};

// Text in a 5 × 7 dot-matrix face. `pitch` is the distance between dot
// centres; `dot` the dot diameter as a fraction of the pitch (1 gives
// touching squares). Characters advance by six pitches. Throws
// std::invalid_argument for a character the face does not have.
struct DotText {
  double pitch = 1;
  double dot = 1;
  bool round = false;
};
void DrawText(Canvas& canvas, double x, double y, std::string_view text, const DotText& style,
              const Paint& paint);
double TextWidth(std::string_view text, double pitch);

}  // namespace pictures
