#include "printer.h"

#include <stdexcept>

namespace samplejobs {

std::unique_ptr<Printer> MakePrinter(const PrinterSetup& setup) {
  switch (setup.set) {
    case CommandSet::EscPos: return MakeEscPosPrinter(setup);
    case CommandSet::Star: return MakeStarPrinter(setup);
    case CommandSet::EscP: return MakeEscPPrinter(setup);
  }
  throw std::invalid_argument("unknown command set");
}

std::vector<std::uint8_t> BandColumns(const Canvas& canvas, int top, const ColumnBands& how) {
  const int bytesPerColumn = (how.dots + 7) / 8;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(canvas.Width()) * bytesPerColumn, 0);
  for (int d = 0; d < how.dots; ++d) {
    const int y = top + d;
    bool previous = false;
    for (int x = 0; x < canvas.Width(); ++x) {
      bool dot = canvas.At(x, y);
      if (how.dropAdjacent && previous) dot = false;
      previous = dot;
      if (dot) data[static_cast<std::size_t>(x) * bytesPerColumn + d / 8] |= static_cast<std::uint8_t>(0x80 >> (d % 8));
    }
  }
  return data;
}

int UsedColumns(const std::vector<std::uint8_t>& columns, int bytesPerColumn) {
  for (int x = static_cast<int>(columns.size()) / bytesPerColumn; x > 0; --x)
    for (int b = 0; b < bytesPerColumn; ++b)
      if (columns[static_cast<std::size_t>(x - 1) * bytesPerColumn + b] != 0) return x;
  return 0;
}

void FeedEscJ(ByteStream& out, int units) {
  for (; units > 255; units -= 255) out.Put({0x1B, 0x4A, 0xFF});
  if (units > 0) out.Put({0x1B, 0x4A, static_cast<std::uint8_t>(units)});
}

void WriteColumnBands(ByteStream& out, const Canvas& canvas, const ColumnBands& how, int feedPerBand,
                      const std::function<void(ByteStream&, const std::vector<std::uint8_t>&, int)>& band) {
  const int bytesPerColumn = (how.dots + 7) / 8;
  int pendingFeed = 0;
  for (int top = 0; top < canvas.Height(); top += how.dots) {
    std::vector<std::uint8_t> columns = BandColumns(canvas, top, how);
    int used = UsedColumns(columns, bytesPerColumn);
    if (used > 0) {
      FeedEscJ(out, pendingFeed);
      pendingFeed = 0;
      columns.resize(static_cast<std::size_t>(used) * bytesPerColumn);
      band(out, columns, used);
    }
    pendingFeed += feedPerBand;
  }
  FeedEscJ(out, pendingFeed);
}

void FillWithBands(ByteStream& out, std::size_t count, const FillerBand& shape,
                   const std::function<void(ByteStream&, std::size_t)>& band,
                   std::uint8_t oneByte) {
  const std::size_t full = shape.overhead + shape.unit * shape.maxColumns;
  while (count >= 2 * full) {
    band(out, shape.maxColumns);
    count -= full;
  }
  if (count > full) {
    // Too much for one band, too little for a full one and a useful second: two halves.
    std::size_t columns = (count - 2 * shape.overhead) / shape.unit;
    band(out, columns / 2);
    band(out, columns - columns / 2);
    count -= 2 * shape.overhead + columns * shape.unit;
  } else if (count >= shape.overhead + shape.unit) {
    std::size_t columns = (count - shape.overhead) / shape.unit;
    band(out, columns);
    count -= shape.overhead + columns * shape.unit;
  }
  for (; count >= 3; count -= 3) out.Put({0x1B, 0x4A, 0x01});
  for (; count > 0; --count) out.Put(oneByte);
}

}  // namespace samplejobs
