#include "k636_artwork.h"

#include <algorithm>
#include <string_view>

namespace pictures {

namespace {

const Color kBackground = Hex(0xeef2f6);
const Color kFrame = Hex(0xa9b1ba);
const Color kPaper = Hex(0xfffefa);
const Color kPaperEdge = Hex(0x59636e);
const Color kInk = Hex(0x2f343b);
const Color kFaintInk = Hex(0xa4abb4);
const Color kMeasure = Hex(0xd0392b);
const Color kDirection = Hex(0x2c7be5);
const Color kGood = Hex(0x2e9d4f);
// The dialog face, for pictures that stand on the dialog without a card.
const Color kDialogFace = Hex(0xf0f0f0);

const DotText kPrint{1.2, 0.9, false};
const DotText kLabel{1.5, 0.95, false};

void Card(Canvas& c) {
  c.Fill(Rect(0, 0, c.Width(), c.Height()), kFrame);
  c.Fill(Rect(1, 1, c.Width() - 1, c.Height() - 1), kBackground);
}

void Paper(Canvas& c, double x0, double y0, double x1, double y1) {
  c.Fill(Rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), kPaperEdge);
  c.Fill(Rect(x0, y0, x1, y1), kPaper);
}

void Print(Canvas& c, double x, double y, std::string_view text) {
  DrawText(c, x, y, text, kPrint, Solid(kInk));
}

// Grey bars standing for printed lines below y, one every 12 pixels.
void Lines(Canvas& c, double x, double y, std::initializer_list<double> lengths) {
  for (double length : lengths) {
    c.Fill(Rect(x, y, x + length, y + 3.5, 1), kFaintInk);
    y += 12;
  }
}

void Dashed(Canvas& c, double x0, double x1, double y, Color color) {
  for (double x = x0; x < x1; x += 6) c.Fill(Rect(x, y - 0.5, std::min(x + 3.5, x1), y + 0.5), color);
}

// A measured distance from y0 down to y1, with an arrowhead at each end.
void Dimension(Canvas& c, double x, double y0, double y1, double head = 6) {
  const double half = head * 0.55;
  c.Fill(Rect(x - 0.7, y0 + head - 1, x + 0.7, y1 - head + 1), kMeasure);
  c.Fill(Polygon({{x, y0}, {x + half, y0 + head}, {x - half, y0 + head}}), kMeasure);
  c.Fill(Polygon({{x, y1}, {x + half, y1 - head}, {x - half, y1 - head}}), kMeasure);
}

// A block arrow from `from` to the tip at `to`, vertical.
void Arrow(Canvas& c, double x, double from, double to, Color color, double shaft = 2.5, double half = 7) {
  const double head = 12 * (to < from ? 1 : -1);
  c.Fill(Rect(x - shaft, std::min(from, to + head), x + shaft, std::max(from, to + head)), color);
  c.Fill(Polygon({{x, to}, {x + half, to + head}, {x - half, to + head}}), color);
}

void Label(Canvas& c, double x, double y, std::string_view text) {
  DrawText(c, x, y, text, kLabel, Solid(kMeasure));
}

// The dotted guide where a measurement starts or ends.
void Guide(Canvas& c, double x0, double x1, double y) { Dashed(c, x0, x1, y, kMeasure); }

}  // namespace

Canvas SingleSheetPicture() {
  Canvas c(176, 220);
  Card(c);
  const double top = 26, firstLine = 62;
  Paper(c, 38, top, 146, 208);
  Print(c, 50, firstLine, "NO. 0012");
  Lines(c, 50, 80, {84, 60, 76, 84, 52, 70, 84, 40});
  Print(c, 50, 184, "TOTAL 38.00");

  Guide(c, 14, 38, top);
  Guide(c, 14, 48, firstLine);
  Dimension(c, 24, top, firstLine);
  Arrow(c, 161, 130, 40, kDirection);  // printed toward the top edge
  return c;
}

Canvas RollPaperPicture() {
  Canvas c(184, 220);
  Card(c);
  const double edge = 24, firstLine = 58;
  // The roll, seen from the front; the paper comes off over its top.
  const Gradient side({0, 172}, Hex(0xf4f2ec), {0, 206}, Hex(0x9aa1ab));
  c.Fill(Rect(34, 172, 150, 206), side);
  c.Fill(Ellipse(150, 189, 6, 17), side);
  c.Fill(Ellipse(34, 189, 6, 17), Hex(0xd9d5ca));
  c.Fill(Ellipse(34, 189, 2.4, 6), Hex(0x8b6d45));
  c.Fill(Rect(43, edge - 1, 141, 178), kPaperEdge);
  c.Fill(Rect(44, edge, 140, 178), kPaper);
  c.Fill(Rect(43, 178, 141, 186), Gradient({0, 176}, kPaper, {0, 186}, Hex(0xd6d2c7)));

  Print(c, 52, firstLine, "NO. 0012");
  Lines(c, 52, 76, {80, 56, 72, 80});
  Print(c, 52, 126, "TOTAL 38.00");  // the last printed line

  Guide(c, 14, 44, edge);
  Guide(c, 14, 50, firstLine);
  Dimension(c, 24, edge, firstLine);
  Arrow(c, 165, 130, 40, kDirection);  // fed out leading edge first
  return c;
}

Canvas FanfoldPicture() {
  Canvas c(340, 300);
  Card(c);
  const double x0 = 104, x1 = 246;
  const double folds[] = {40, 150, 260};
  const double firstLine = 22, secondFirstLine = 150 + 24;

  // The strip runs on beyond both ends of the picture.
  c.Fill(Rect(x0 - 1, 1, x1 + 1, 299), kPaperEdge);
  c.Fill(Rect(x0, 1, x1, 299), kPaper);
  for (double y = 8; y < 296; y += 13) {
    c.Fill(Ellipse(x0 + 8, y, 2.6, 2.6), kBackground);
    c.Fill(Ellipse(x1 - 8, y, 2.6, 2.6), kBackground);
  }
  for (double x : {x0 + 16, x1 - 16})
    for (double y = 1; y < 299; y += 4) c.Fill(Rect(x - 0.4, y, x + 0.4, y + 2), kFaintInk);
  for (double fold : folds) Dashed(c, x0, x1, fold, kPaperEdge);

  // Two invoices; the second came out a little lower on its page.
  const struct {
    double top, first;
    std::string_view number;
  } pages[] = {{folds[0], folds[0] + firstLine, "1"}, {folds[1], secondFirstLine, "2"}};
  for (const auto& page : pages) {
    Print(c, x0 + 24, page.first, "INVOICE");
    Lines(c, x0 + 24, page.first + 18, {94, 70, 86, 60});
    c.Fill(Ellipse(x1 - 32, page.top + 90, 8, 8), kInk);
    DrawText(c, x1 - 34.5, page.top + 86.5, page.number, DotText{1, 1, false}, Solid(kPaper));
  }
  Lines(c, x0 + 24, 14, {70});  // the end of the invoice before

  // L1 and L2 from page 1's front edge, L from fold to fold.
  const double front = folds[0];
  Guide(c, 30, x0, front);
  Guide(c, 72, x0 + 22, front + firstLine);
  Guide(c, 30, x0 + 22, secondFirstLine);
  Dimension(c, 82, front, front + firstLine);
  Label(c, 56, front + firstLine / 2 - 5, "L1");
  Dimension(c, 40, front, secondFirstLine);
  Label(c, 14, (front + secondFirstLine) / 2 - 5, "L2");
  Guide(c, x1, 284, folds[0]);
  Guide(c, x1, 284, folds[1]);
  Dimension(c, 274, folds[0], folds[1]);
  Label(c, 282, (folds[0] + folds[1]) / 2 - 5, "L");

  Arrow(c, 314, 230, 170, kDirection);  // print direction
  return c;
}

Canvas MeasuringNote() {
  Canvas c(260, 40);
  Card(c);
  const DotText big{2, 0.9, false};
  const double edge = 5, top = 19, base = 33;
  // Right: from the edge to the top of the characters.
  c.Fill(Rect(8, edge - 1, 120, edge + 0.5), kPaperEdge);
  Dimension(c, 16, edge, top, 5);
  Guide(c, 10, 74, top);
  DrawText(c, 24, top, "ABC", big, Solid(kInk));
  c.Fill(Polygon({{88, 24}, {92, 21}, {96, 25}, {106, 13}, {110, 16}, {96, 31}}), kGood);
  // Wrong: to their base.
  c.Fill(Rect(136, edge - 1, 252, edge + 0.5), kPaperEdge);
  Dimension(c, 144, edge, base, 5);
  Guide(c, 138, 202, base);
  DrawText(c, 152, top, "ABC", big, Solid(kInk));
  c.Fill(Polygon({{216, 15}, {219, 12}, {238, 31}, {235, 34}}), kMeasure);
  c.Fill(Polygon({{235, 12}, {238, 15}, {219, 34}, {216, 31}}), kMeasure);
  return c;
}

Canvas StepArrow() {
  Canvas c(28, 24);
  c.Fill(Rect(0, 0, 28, 24), kDialogFace);
  Arrow(c, 14, 1, 23, kDirection, 3.5, 10);
  return c;
}

}  // namespace pictures
