#include "artwork.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

namespace pictures {

namespace {

// A strip of paper with a torn (zigzag) top edge and a straight bottom.
Polygon TornPaper(double x0, double top, double x1, double bottom, double tooth) {
  std::vector<Point> points;
  points.push_back({x0, bottom});
  const int teeth = static_cast<int>(std::lround((x1 - x0) / tooth));
  const double step = (x1 - x0) / teeth;
  for (int i = 0; i <= teeth; ++i) {
    points.push_back({x0 + i * step, (i % 2 == 0) ? top + step * 0.6 : top});
  }
  points.push_back({x1, bottom});
  return Polygon(std::move(points));
}

constexpr int kMainWidth = 650, kMainHeight = 476;
constexpr Point kMainShownFrom{5, 100};

void Background(Canvas& c) {
  const double w = kMainWidth;
  const double h = kMainHeight;
  c.Fill(Rect(0, 0, w, h), Gradient({0, 60}, Hex(0x101c30), {0, 420}, Hex(0x22405f)));
  // Faint dot grid, like an unprinted thermal line.
  for (int y = 6; y < 400; y += 14) {
    for (int x = 6; x < 650; x += 14) {
      c.Fill(Ellipse(x, y, 1.1, 1.1), Hex(0xffffff, 0.045));
    }
  }
  c.Fill(Rect(0, 0, w, h), Radial({180, 308}, 280, Hex(0x4a8cc4, 0.34), Hex(0x4a8cc4, 0.0)));
  // Desk.
  c.Fill(Rect(0, 418, w, h), Gradient({0, 418}, Hex(0x2b4563), {0, 476}, Hex(0x16243a)));
  c.Fill(Rect(0, 418, w, 419.2), Hex(0x7ea6cf, 0.55));
}

void Receipt(Canvas& c) {
  const double x0 = 104, x1 = 226, top = 112, slot = 278;
  c.Fill(TornPaper(x0 + 5, top + 5, x1 + 5, slot - 6, 6.1), Hex(0x000000, 0.22));
  const Polygon paper = TornPaper(x0, top, x1, slot, 6.1);
  c.Fill(paper, Gradient({0, 200}, Hex(0xfdfcf8), {0, slot}, Hex(0xd9d6cc)));
  c.Fill(Rect(x0, top, x0 + 1.2, slot), Hex(0xffffff, 0.9));

  const Solid ink(Hex(0x2a2d33));
  const Solid faint(Hex(0x80858f));
  const DotText heading{1.7, 0.9, true};
  const double headingX = (x0 + x1 - TextWidth("RECEIPT", heading.pitch)) / 2;
  DrawText(c, headingX, 126, "RECEIPT", heading, ink);
  for (double x = 114; x < 216; x += 5) c.Fill(Rect(x, 142, x + 3, 143.2), faint);

  // Item lines: a name on the left, an amount on the right.
  const double names[] = {52, 38, 60, 44};
  const double amounts[] = {22, 18, 22, 26};
  for (int i = 0; i < 4; ++i) {
    const double y = 150 + i * 9;
    c.Fill(Rect(114, y, 114 + names[i], y + 3.2, 1), faint);
    c.Fill(Rect(216 - amounts[i], y, 216, y + 3.2, 1), faint);
  }
  for (double x = 114; x < 216; x += 5) c.Fill(Rect(x, 188, x + 3, 189.2), faint);
  const DotText total{1.35, 0.95, false};
  DrawText(c, 114, 195, "TOTAL", total, ink);
  DrawText(c, 216 - TextWidth("38.00", total.pitch), 195, "38.00", total, ink);

  // Bar code from a fixed module pattern.
  const std::string_view modules = "1101001100011101010011101100110101100100111010110011010011001110101101";
  const double module = 92.0 / static_cast<double>(modules.size());
  for (std::size_t i = 0; i < modules.size(); ++i) {
    if (modules[i] != '1') continue;
    const double x = 119 + static_cast<double>(i) * module;
    c.Fill(Rect(x, 216, x + module, 244), ink);
  }
  c.Fill(Rect(128, 249, 202, 251.4, 1), faint);
}

void Printer(Canvas& c) {
  // Shadow on the desk.
  c.Fill(Ellipse(168, 412, 138, 12), Hex(0x000000, 0.22));
  c.Fill(Ellipse(166, 411, 118, 7), Hex(0x000000, 0.35));
  for (double x : {70.0, 234.0}) c.Fill(Rect(x, 404, x + 28, 413, 3), Hex(0x15171b));

  // Top face with the paper slot, then the front.
  c.Fill(Polygon({{74, 258}, {256, 258}, {280, 298}, {50, 298}}),
         Gradient({0, 258}, Hex(0x6c7583), {0, 298}, Hex(0x505864)));
  c.Fill(Polygon({{74, 258}, {256, 258}, {257.5, 261}, {72.5, 261}}), Hex(0xffffff, 0.18));
  c.Fill(Rect(94, 273, 236, 281, 2.5), Hex(0x0d0f13));
  c.Fill(Rect(94, 280, 236, 281.5), Hex(0xffffff, 0.12));
  Receipt(c);

  c.Fill(Rect(50, 296, 280, 410, 9), Gradient({0, 296}, Hex(0x474e59), {0, 410}, Hex(0x25292f)));
  c.Fill(Rect(50, 296, 280, 299.5), Hex(0xffffff, 0.16));
  c.Fill(Rect(62, 384, 268, 386), Hex(0x000000, 0.25));

  // Name plate.
  c.Fill(Rect(70, 316, 160, 334, 3), Hex(0x353b44));
  c.Fill(Rect(70, 333, 160, 334.5), Hex(0xffffff, 0.08));
  DrawText(c, 78, 320, "POS-80", DotText{1.5, 0.9, true}, Solid(Hex(0xa8bcd4)));
  // Vents.
  for (int i = 0; i < 4; ++i) {
    const double y = 350 + i * 7;
    c.Fill(Rect(72, y, 156, y + 2.6, 1.3), Hex(0x17191d));
  }

  // Control strip: power and paper lamps, feed key.
  c.Fill(Rect(198, 314, 264, 374, 6), Hex(0x2b3037));
  c.Fill(Rect(198, 372.5, 264, 374, 0), Hex(0xffffff, 0.07));
  c.Fill(Ellipse(214, 330, 11, 11), Radial({214, 330}, 11, Hex(0x4cd964, 0.55), Hex(0x4cd964, 0)));
  c.Fill(Ellipse(214, 330, 3.6, 3.6), Hex(0x5cf07a));
  c.Fill(Ellipse(213, 329, 1.3, 1.3), Hex(0xe8ffe8));
  c.Fill(Ellipse(232, 330, 3.6, 3.6), Hex(0x7a5a1c));
  c.Fill(Rect(208, 344, 254, 364, 5), Gradient({0, 344}, Hex(0x6a7280), {0, 364}, Hex(0x4a515c)));
  c.Fill(Rect(210, 345, 252, 347, 1), Hex(0xffffff, 0.2));
}

void PaperRoll(Canvas& c) {
  const double cx = 318, rx = 30, ry = 9, top = 370, bottom = 408;
  c.Fill(Ellipse(326, 411, 40, 6), Hex(0x000000, 0.35));
  const Gradient side({cx - rx, 0}, Hex(0xf7f6f2), {cx + rx, 0}, Hex(0x9aa1ab));
  c.Fill(Ellipse(cx, bottom, rx, ry), side);
  c.Fill(Rect(cx - rx, top, cx + rx, bottom), side);
  c.Fill(Rect(cx - rx + 6, top, cx - rx + 11, bottom + 6), Hex(0xffffff, 0.35));
  c.Fill(Ellipse(cx, top, rx, ry), Hex(0xf3f1ea));
  for (double r = rx - 4; r > 12; r -= 4) {
    const Ellipse outer(cx, top, r, r * ry / rx);
    const Ellipse inner(cx, top, r - 0.7, (r - 0.7) * ry / rx);
    c.Fill(Cut(outer, inner), Hex(0xcfcabd));
  }
  c.Fill(Ellipse(cx, top, 10, 3), Hex(0xb8925e));
  c.Fill(Ellipse(cx, top + 0.3, 7, 2), Hex(0x3b2f22));
}

void Title(Canvas& c) {
  const double x = 374;
  const DotText name{4.2, 0.86, true};
  DrawText(c, x, 160, "RURiriro", DotText{4.2, 1.7, true}, Solid(Hex(0xffc860, 0.07)));
  DrawText(c, x, 160, "RURiriro", name, Solid(Hex(0xfff4dc)));
  DrawText(c, x + 1, 206, "POS PRINTER TESTER", DotText{1.8, 0.85, false}, Solid(Hex(0x9cc6ee)));
  c.Fill(Rect(x, 228, x + 196, 229.6), Gradient({x, 0}, Hex(0xffb84d), {x + 196, 0}, Hex(0xffb84d, 0)));
  DrawText(c, x + 1, 240, "V4.22", DotText{2.2, 0.9, true}, Solid(Hex(0xffb84d)));

  // Command sets and interfaces the program speaks.
  const DotText small{1.4, 0.9, false};
  double cx = x;
  for (std::string_view label : {"ESC/POS", "STAR", "OKI"}) {
    const double w = TextWidth(label, small.pitch) + 16;
    c.Fill(Rect(cx, 300, cx + w, 320, 5), Hex(0x9cc6ee, 0.55));
    c.Fill(Rect(cx + 1.2, 301.2, cx + w - 1.2, 318.8, 4), Hex(0x183050));
    DrawText(c, cx + 8, 305, label, small, Solid(Hex(0xd8e8f8)));
    cx += w + 8;
  }
  DrawText(c, x + 1, 334, "COM  LPT  USB", small, Solid(Hex(0x7fa3c8)));
}

void SmallReceiptMark(Canvas& c, double x, double y) {
  c.Fill(TornPaper(x, y, x + 18, y + 30, 3), Hex(0xfdfcf8));
  for (int i = 0; i < 4; ++i) {
    const double ly = y + 9 + i * 4.5;
    c.Fill(Rect(x + 3, ly, x + (i % 2 ? 12 : 15), ly + 1.6), Hex(0x7d8590));
  }
  c.Fill(Rect(x - 4, y + 29, x + 22, y + 35, 2), Hex(0x0b1220));
}

constexpr int kLogoWidth = 110, kLogoHeight = 46;

void DrawAboutLogo(Canvas& c) {
  c.Fill(Rect(0, 0, 110, 46), Gradient({0, 0}, Hex(0x1d3557), {0, 46}, Hex(0x2b5c8a)));
  SmallReceiptMark(c, 8, 5);
  DrawText(c, 38, 9, "RURiriro", DotText{1.4, 1, false}, Solid(Hex(0xfff4dc)));
  DrawText(c, 38, 26, "POS TESTER", DotText{1, 1, false}, Solid(Hex(0x9cc6ee)));
  c.Fill(Rect(38, 36, 97, 37), Hex(0xffb84d));
}

void DrawMainPicture(Canvas& c) {
  Background(c);
  c.SetOrigin(0, 8);
  Printer(c);
  PaperRoll(c);
  Title(c);
}

}  // namespace

Canvas MainPicture() {
  Canvas c(kMainWidth, kMainHeight);
  DrawMainPicture(c);
  return c;
}

Canvas MainPictureShown(double scale) {
  const auto scaled = [scale](double length) { return static_cast<int>(std::lround(length * scale)); };
  Canvas c(scaled(kMainWidth - kMainShownFrom.x), scaled(kMainHeight - kMainShownFrom.y), scale,
           kMainShownFrom);
  DrawMainPicture(c);
  return c;
}

Canvas AboutLogo() {
  Canvas c(kLogoWidth, kLogoHeight);
  DrawAboutLogo(c);
  return c;
}

Canvas AboutLogoLarge() {
  Canvas c(2 * kLogoWidth, 2 * kLogoHeight, 2, {0, 0});
  DrawAboutLogo(c);
  return c;
}

Canvas AppIcon(int size) {
  Canvas c(size, size);
  const Color outline = Hex(0x15181d);
  const Color paperEdge = Hex(0x8a9099);
  const Color line = Hex(0x7d8590);
  if (size == 32) {
    c.Fill(TornPaper(8, 1, 24, 18, 4), paperEdge);
    c.Fill(TornPaper(9, 2, 23, 18, 3.5), Hex(0xffffff));
    c.Fill(Rect(11, 8, 21, 9), line);
    c.Fill(Rect(11, 11, 19, 12), line);
    c.Fill(Rect(11, 14, 21, 15), line);
    c.Fill(Polygon({{5.5, 15.5}, {26.5, 15.5}, {30, 21}, {2, 21}}), outline);
    c.Fill(Polygon({{6.3, 16.4}, {25.7, 16.4}, {28.6, 21}, {3.4, 21}}), Hex(0x737c89));
    c.Fill(Rect(8.5, 17.2, 23.5, 18.6, 0.6), Hex(0x111317));
    c.Fill(Rect(2, 20, 30, 30, 2.5), outline);
    c.Fill(Rect(3, 21, 29, 29, 2), Gradient({0, 21}, Hex(0x4a515c), {0, 29}, Hex(0x2a2e35)));
    c.Fill(Rect(5, 23.5, 14, 24.7), Hex(0x8da2bb));
    c.Fill(Ellipse(24.5, 25, 1.7, 1.7), Hex(0x4cd964));
  } else if (size == 16) {
    c.Fill(Rect(3, 0, 13, 10), paperEdge);
    c.Fill(Rect(4, 1, 12, 10), Hex(0xffffff));
    c.Fill(Rect(5, 3, 11, 4), line);
    c.Fill(Rect(5, 5, 10, 6), line);
    c.Fill(Rect(0, 8, 16, 16, 1.5), outline);
    c.Fill(Rect(1, 9, 15, 15, 1), Hex(0x3d434c));
    c.Fill(Rect(1, 9, 15, 10), Hex(0x737c89));
    c.Fill(Rect(3, 9, 13, 10), Hex(0x111317));
    c.Fill(Rect(11, 12, 13, 13), Hex(0x4cd964));
  } else {
    throw std::invalid_argument("icon size must be 16 or 32");
  }
  return c;
}

}  // namespace pictures
