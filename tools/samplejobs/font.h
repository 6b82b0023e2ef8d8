#pragma once

#include <string_view>

#include "canvas.h"

namespace samplejobs {

// The built-in 5 × 7 dot font (with descenders below) for printable ASCII, drawn at
// whole-dot scales.
struct TextStyle {
  int sx = 1;  // dots per font dot across
  int sy = 1;  // dots per font dot down
};

// A style whose capitals are about `mm` tall and whose font dots are about square on paper.
TextStyle StyleForHeight(const Canvas& canvas, double mm);
// Like StyleForHeight, made smaller until `text` fits into `width` dots.
TextStyle StyleToFit(const Canvas& canvas, std::string_view text, double mm, int width);

int TextWidth(std::string_view text, TextStyle style);
int TextHeight(TextStyle style);  // capital height
int LineHeight(TextStyle style);  // baseline-to-baseline distance

// Draws text with its top-left corner at (x, y). Characters outside 20..7E draw as '?'.
void DrawText(Canvas& canvas, int x, int y, std::string_view text, TextStyle style);
void DrawCentred(Canvas& canvas, int y, std::string_view text, TextStyle style);

}  // namespace samplejobs
