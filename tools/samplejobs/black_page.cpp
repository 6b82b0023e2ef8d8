// Full-black page: a caption, then a solid black area of a set share of the print width.
#include <cmath>
#include <string>

#include "font.h"
#include "pages.h"

namespace samplejobs {

void FullBlackPage(ByteStream& out, const Printer& printer, const PrinterSetup& setup, const PageOptions& page,
                   int stretch) {
  Canvas c(printer.Layout(), 0);
  const TextStyle style = StyleToFit(c, setup.model, 2.5, c.Width());
  const int line = LineHeight(style);
  c = Canvas(printer.Layout(), 4 * line + stretch);

  int y = 0;
  DrawCentred(c, y, "Full black test", style);
  y += line;
  DrawCentred(c, y, setup.model, style);
  y += line + line / 2;

  const int width = static_cast<int>(std::lround(c.Width() * page.blackShare));
  c.Fill((c.Width() - width) / 2, y, width, stretch);
  y += stretch + line / 2;
  DrawCentred(c, y, "End of black test", style);
  printer.Image(out, c);
}

}  // namespace samplejobs
