#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "byte_stream.h"
#include "canvas.h"

namespace samplejobs {

enum class CommandSet { EscPos, Star, EscP };

// What a stream sends before its first page.
enum class Opening {
  Init,        // ESC @ and set-up
  NulInit,     // one NUL, then ESC @ and set-up
  NoInit,      // set-up only
  PacketExit,  // ESC/P: leave IEEE 1284.4 packet mode, then ESC @ and set-up
  Oki,         // ESC @, CAN and the OKI-mode set-up
};

enum class Head {
  Thermal180,  // thermal line head, 180 dpi
  Thermal203,  // thermal line head, 203 dpi
  Impact,      // dot-matrix head
};

// The graphics command a page is sent with.
enum class Graphics {
  Dots8,         // 8-dot bit image, single density
  Dots8Double,   // 8-dot bit image, double density
  Dots24,        // 24-dot bit image, single density
  Dots24Double,  // 24-dot bit image, double density
  Raster,        // raster image, one bit per dot
  RasterDouble,  // raster image, each bit 2 × 2 dots
  Pins9,         // STAR 9-pin image, single density
  Pins16,        // STAR 16-pin image, single density
  Pins18Double,  // STAR 18-pin image, double density
};

struct PrinterSetup {
  CommandSet set = CommandSet::EscPos;
  Opening opening = Opening::Init;
  Head head = Head::Thermal180;
  Graphics graphics = Graphics::Raster;
  int fullWidth = 0;           // print width in dots at the finest horizontal density
  bool wholeRaster = false;    // raster pages sent whole, blank bands included
  const char* model = "";      // printer named on test pages
  const char* emulation = "";  // command set named on test pages
};

// Normal: the graphics mode the job is set up with. Fine: the head's own resolution (logos).
enum class Detail { Normal, Fine };

// Turns pages drawn on canvases into one command set's bytes.
class Printer {
 public:
  virtual ~Printer() = default;

  virtual Geometry Layout(Detail detail = Detail::Normal) const = 0;
  virtual std::string GraphicsName() const = 0;

  virtual void Begin(ByteStream& out) const = 0;
  virtual void Image(ByteStream& out, const Canvas& canvas, Detail detail = Detail::Normal) const = 0;
  virtual void Cut(ByteStream& out) const = 0;  // between receipts
  virtual void End(ByteStream& out) const = 0;  // after the last page
  // Exactly `count` bytes of whole commands that print nothing.
  virtual void Pad(ByteStream& out, std::size_t count) const = 0;
};

std::unique_ptr<Printer> MakePrinter(const PrinterSetup& setup);
std::unique_ptr<Printer> MakeEscPosPrinter(const PrinterSetup& setup);
std::unique_ptr<Printer> MakeStarPrinter(const PrinterSetup& setup);
std::unique_ptr<Printer> MakeEscPPrinter(const PrinterSetup& setup);

// ---- helpers shared by the command sets ----

// How a page is cut into bands of dot columns.
struct ColumnBands {
  int dots = 8;               // dots per column
  bool dropAdjacent = false;  // impact double density: no dot right after a dot
};

// Column bytes of one band: ceil(dots / 8) bytes per column, the top dot in bit 7 of the
// first byte; unused low bits of the last byte stay 0.
std::vector<std::uint8_t> BandColumns(const Canvas& canvas, int top, const ColumnBands& how);
// Columns up to the last one with a dot (0 for a blank band).
int UsedColumns(const std::vector<std::uint8_t>& columns, int bytesPerColumn);

// Sends the canvas band by band: `band` writes one bit-image command (and whatever the
// command set needs after it), then ESC J feeds `feedPerBand`; blank bands add to the
// feed written before the next band and at the end.
void WriteColumnBands(ByteStream& out, const Canvas& canvas, const ColumnBands& how, int feedPerBand,
                      const std::function<void(ByteStream&, const std::vector<std::uint8_t>&, int)>& band);

// Paper feed with ESC J n, in as many commands as 255-unit steps need (none for 0).
void FeedEscJ(ByteStream& out, int units);

// Sizes of a blank band used as filler: overhead (command bytes besides the data) and data
// bytes per column, at most maxColumns columns.
struct FillerBand {
  std::size_t overhead = 0;
  std::size_t unit = 1;
  std::size_t maxColumns = 1;
};

// Fills exactly `count` bytes: blank bands written by `band(columns)`, then the few bytes
// no band can take as ESC J 1 feeds and single `oneByte` commands (LF or CR).
void FillWithBands(ByteStream& out, std::size_t count, const FillerBand& shape,
                   const std::function<void(ByteStream&, std::size_t)>& band, std::uint8_t oneByte);

}  // namespace samplejobs
