// The page a printer driver prints as its test page: ruler, header box with the printer's
// data, shapes, grey scale, line widths, the character set and a line pattern.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "font.h"
#include "pages.h"

namespace samplejobs {

namespace {

struct Pen {
  int tx, ty;
};

Pen PenFor(const Canvas& c, double mm) { return {std::max(1, c.Mx(mm)), std::max(1, c.My(mm))}; }

std::string Format(const char* format, double a, double b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// Breaks at blanks into lines of at most `width` characters; continuation lines are indented.
std::vector<std::string> Wrap(const std::string& text, std::size_t width) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (rest.size() > width) {
    std::size_t cut = rest.rfind(' ', width);
    if (cut == std::string::npos || cut < 4) cut = width;
    lines.push_back(rest.substr(0, cut));
    rest = "  " + rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
  }
  lines.push_back(rest);
  return lines;
}

class TestPage {
 public:
  TestPage(const Printer& printer, const PrinterSetup& setup)
      : printer_(printer), setup_(setup), c_(printer.Layout(), 0) {
    margin_ = c_.Mx(1.5);
    pen_ = PenFor(c_, 0.35);
    body_ = StyleForHeight(c_, 2.0);
    columns_ = static_cast<std::size_t>((c_.Width() - 2 * margin_) / (6 * body_.sx));
  }

  Canvas Draw(int stretch) {
    c_ = Canvas(printer_.Layout(), static_cast<int>(c_.DpiY() * 12) + stretch);
    int y = Ruler(0);
    y = Header(y);
    y = Shapes(y);
    y = GreyScale(y);
    y = LineWidths(y);
    y = Characters(y);
    y = Pattern(y, stretch);
    DrawCentred(c_, y, "End of test page", body_);
    y += LineHeight(body_) + c_.My(2);
    c_.CropHeight(y);
    return c_;
  }

 private:
  int Caption(int y, const std::string& text) {
    DrawText(c_, margin_, y, text, body_);
    return y + LineHeight(body_);
  }

  // Millimetre ticks hanging from the top edge, centimetres numbered.
  int Ruler(int y) {
    c_.Fill(0, y, c_.Width(), pen_.ty);
    const bool everyMm = c_.Mx(1) >= 3;
    TextStyle small = StyleForHeight(c_, 1.5);
    for (int mm = 0; c_.Mx(mm) < c_.Width(); ++mm) {
      if (mm % 5 != 0 && !everyMm) continue;
      const double length = mm % 10 == 0 ? 3.0 : mm % 5 == 0 ? 2.0 : 1.0;
      const int x = std::min(c_.Mx(mm), c_.Width() - pen_.tx);
      c_.Fill(x, y, pen_.tx, c_.My(length));
      if (mm % 10 == 0 && mm > 0 && x + c_.Mx(0.6) + TextWidth("00", small) < c_.Width())
        DrawText(c_, x + c_.Mx(0.6), y + c_.My(1.2), std::to_string(mm / 10), small);
    }
    return y + c_.My(5);
  }

  int Header(int y) {
    const int top = y;
    const int inner = c_.Width() - 2 * (pen_.tx + margin_);
    const std::string title = "Printer driver test page";
    const TextStyle big = StyleToFit(c_, title, 3.5, inner);
    y += pen_.ty + c_.My(1.5);
    DrawCentred(c_, y, title, big);
    y += TextHeight(big) + c_.My(2.5);
    const Geometry g = printer_.Layout();
    const std::vector<std::string> facts = {
        std::string("Model: ") + setup_.model,
        std::string("Emulation: ") + setup_.emulation,
        "Graphics: " + printer_.GraphicsName(),
        Format("Resolution: %g x %g dpi", g.dpiX, g.dpiY),
        Format("Print width: %.0f mm, ", g.width * 25.4 / g.dpiX) + std::to_string(g.width) + " dots",
    };
    const std::size_t width = static_cast<std::size_t>(inner / (6 * body_.sx));
    for (const std::string& fact : facts)
      for (const std::string& line : Wrap(fact, width)) {
        DrawText(c_, pen_.tx + margin_, y, line, body_);
        y += LineHeight(body_);
      }
    y += c_.My(1);
    c_.Frame(0, top, c_.Width(), y - top, pen_.tx, pen_.ty);
    return y + c_.My(3);
  }

  int Shapes(int y) {
    y = Caption(y, "Shapes");
    const int cell = c_.Width() / 5;
    const double mm = std::min(12.0, cell * 25.4 / c_.DpiX() * 0.75);
    const int w = c_.Mx(mm), h = c_.My(mm);
    const Pen pen = PenFor(c_, 0.5);
    for (int i = 0; i < 5; ++i) {
      const int cx = cell * i + cell / 2, x0 = cx - w / 2, x1 = x0 + w - 1, y1 = y + h - 1;
      switch (i) {
        case 0: c_.Frame(x0, y, w, h, pen.tx, pen.ty); break;
        case 1: c_.Fill(x0, y, w, h); break;
        case 2: c_.Ring(cx, y + h / 2, w / 2, h / 2, pen.tx, pen.ty); break;
        case 3: c_.Disc(cx, y + h / 2, w / 2, h / 2); break;
        default:
          c_.Line(x0 + pen.tx / 2, y1 - pen.ty / 2, cx, y + pen.ty / 2, pen.tx, pen.ty);
          c_.Line(cx, y + pen.ty / 2, x1 - pen.tx / 2, y1 - pen.ty / 2, pen.tx, pen.ty);
          c_.Fill(x0, y1 - pen.ty + 1, w, pen.ty);
      }
    }
    return y + h + c_.My(3);
  }

  int GreyScale(int y) {
    y = Caption(y, "Grey scale");
    constexpr int kSteps = 9;
    const int step = (c_.Width() - 2 * margin_) / kSteps, h = c_.My(5);
    for (int i = 0; i < kSteps; ++i) c_.Shade(margin_ + i * step, y, step, h, i * 2);
    c_.Frame(margin_, y, step * kSteps, h, pen_.tx, pen_.ty);
    y += h + c_.My(0.8);
    DrawText(c_, margin_, y, "0%", body_);
    DrawCentred(c_, y, "50%", body_);
    DrawText(c_, margin_ + step * kSteps - TextWidth("100%", body_), y, "100%", body_);
    return y + LineHeight(body_) + c_.My(2);
  }

  int LineWidths(int y) {
    y = Caption(y, "Line widths in dots");
    const int label = TextWidth("4 ", body_);
    for (int t = 1; t <= 4; ++t) {
      DrawText(c_, margin_, y, std::to_string(t), body_);
      c_.Fill(margin_ + label, y + (TextHeight(body_) - t) / 2, c_.Width() - 2 * margin_ - label, t);
      y += LineHeight(body_);
    }
    return y + c_.My(2);
  }

  int Characters(int y) {
    y = Caption(y, "Characters");
    std::string all;
    for (char ch = '!'; ch <= '~'; ++ch) all += ch;
    for (std::size_t at = 0; at < all.size(); at += columns_) {
      DrawText(c_, margin_, y, all.substr(at, columns_), body_);
      y += LineHeight(body_);
    }
    return y + c_.My(2);
  }

  // A fan of lines from the lower left corner of a box `height` dots tall.
  int Pattern(int y, int height) {
    if (height < c_.My(4)) return y;
    const int x0 = margin_, x1 = c_.Width() - margin_ - 1, y1 = y + height - 1;
    c_.Frame(x0, y, x1 - x0 + 1, height, pen_.tx, pen_.ty);
    constexpr int kRays = 12;
    for (int i = 1; i <= kRays; ++i) {
      c_.Line(x0, y1, x0 + (x1 - x0) * i / kRays, y, 1, 1);
      c_.Line(x0, y1, x1, y1 - (y1 - y) * i / kRays, 1, 1);
    }
    return y + height + c_.My(3);
  }

  const Printer& printer_;
  const PrinterSetup& setup_;
  Canvas c_;
  int margin_ = 0;
  Pen pen_{1, 1};
  TextStyle body_;
  std::size_t columns_ = 1;
};

}  // namespace

void DriverTestPage(ByteStream& out, const Printer& printer, const PrinterSetup& setup, int stretch) {
  TestPage page(printer, setup);
  printer.Image(out, page.Draw(stretch));
}

}  // namespace samplejobs
