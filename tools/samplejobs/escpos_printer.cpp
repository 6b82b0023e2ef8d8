// ESC/POS: thermal heads at 180 or 203 dpi (GS P sets the motion unit to one dot) and the
// 76 mm impact head (80 dpi single density, 1/72 inch pin pitch, feeds in 1/144 inch).
#include <algorithm>
#include <stdexcept>

#include "printer.h"

namespace samplejobs {

namespace {

constexpr int kRasterBandRows = 24;

class EscPosPrinter final : public Printer {
 public:
  explicit EscPosPrinter(const PrinterSetup& setup) : setup_(setup) {
    if (Impact() && setup.graphics != Graphics::Dots8 && setup.graphics != Graphics::Dots8Double)
      throw std::invalid_argument("impact ESC/POS prints 8-dot bit images only");
    if (setup.graphics == Graphics::Pins9 || setup.graphics == Graphics::Pins16 || setup.graphics == Graphics::Pins18Double)
      throw std::invalid_argument("STAR graphics in an ESC/POS stream");
  }

  Geometry Layout(Detail detail) const override {
    const int w = setup_.fullWidth;
    if (Impact()) return setup_.graphics == Graphics::Dots8 ? Geometry{w / 2, 80, 72} : Geometry{w, 160, 72, 2};
    const double d = Dpi();
    if (detail == Detail::Fine) return {w, d, d};
    switch (setup_.graphics) {
      case Graphics::Dots8: return {w / 2, d / 2, d / 3};
      case Graphics::Dots8Double: return {w, d, d / 3};
      case Graphics::Dots24: return {w / 2, d / 2, d};
      case Graphics::RasterDouble: return {w / 2, d / 2, d / 2};
      default: return {w, d, d};
    }
  }

  std::string GraphicsName() const override {
    switch (setup_.graphics) {
      case Graphics::Dots8: return "ESC * 8-dot single density";
      case Graphics::Dots8Double: return "ESC * 8-dot double density";
      case Graphics::Dots24: return "ESC * 24-dot single density";
      case Graphics::Dots24Double: return "ESC * 24-dot double density";
      default: return "GS v 0 raster";
    }
  }

  void Begin(ByteStream& out) const override {
    if (setup_.opening == Opening::NulInit) out.Put(0x00);
    if (setup_.opening != Opening::NoInit) out.Put({0x1B, 0x40});
    out.Put({0x1B, 0x3D, 0x01});  // ESC = 1: printer selected
    if (!Impact()) out.Put({0x1D, 0x50}).Put(static_cast<std::uint8_t>(Dpi())).Put(static_cast<std::uint8_t>(Dpi()));
    out.Put({0x1B, 0x52, 0x00});  // ESC R 0: USA characters
    out.Put({0x1B, 0x74, 0x00});  // ESC t 0: code page 437
  }

  void Image(ByteStream& out, const Canvas& canvas, Detail detail) const override {
    const bool fine = detail == Detail::Fine && !Impact();
    if (IsRaster() || fine) {
      WriteRaster(out, canvas, fine || setup_.graphics == Graphics::Raster ? 0 : 3);
      return;
    }
    const int m = BitImageMode();
    WriteColumnBands(
        out, canvas, Bands(), FeedPerBand(),
        [m](ByteStream& o, const std::vector<std::uint8_t>& data, int columns) {
          o.Put({0x1B, 0x2A, static_cast<std::uint8_t>(m)}).Le16(columns);
          for (std::uint8_t b : data) o.Put(b);
        });
  }

  void Cut(ByteStream& out) const override { out.Put({0x1D, 0x56, 0x42, 0x00}); }
  void End(ByteStream& out) const override { Cut(out); }

  void Pad(ByteStream& out, std::size_t count) const override {
    const Geometry g = Layout(Detail::Normal);
    if (IsRaster()) {
      const std::uint8_t m = setup_.graphics == Graphics::Raster ? 0 : 3;
      FillWithBands(out, count, {8, 1, static_cast<std::size_t>((g.width + 7) / 8)},
                    [m](ByteStream& o, std::size_t bytes) {
                      o.Put({0x1D, 0x76, 0x30, m}).Le16(static_cast<unsigned>(bytes)).Le16(1).Zeros(bytes);
                    },
                    0x0A);
      return;
    }
    const std::size_t perColumn = static_cast<std::size_t>(Bands().dots / 8);
    const int m = BitImageMode();
    const int feed = FeedPerBand();
    FillWithBands(out, count, {8, perColumn, static_cast<std::size_t>(g.width)},
                  [=](ByteStream& o, std::size_t columns) {
                    o.Put({0x1B, 0x2A, static_cast<std::uint8_t>(m)}).Le16(static_cast<unsigned>(columns));
                    o.Zeros(columns * perColumn);
                    o.Put({0x1B, 0x4A, static_cast<std::uint8_t>(feed)});
                  },
                  0x0A);
  }

 private:
  bool Impact() const { return setup_.head == Head::Impact; }
  double Dpi() const { return setup_.head == Head::Thermal203 ? 203 : 180; }
  bool IsRaster() const { return setup_.graphics == Graphics::Raster || setup_.graphics == Graphics::RasterDouble; }

  int BitImageMode() const {
    switch (setup_.graphics) {
      case Graphics::Dots8: return 0;
      case Graphics::Dots8Double: return 1;
      case Graphics::Dots24: return 32;
      default: return 33;
    }
  }

  ColumnBands Bands() const {
    const bool eight = setup_.graphics == Graphics::Dots8 || setup_.graphics == Graphics::Dots8Double;
    return {eight ? 8 : 24, Impact() && setup_.graphics == Graphics::Dots8Double};
  }

  // 8-dot images have 1/60 inch dots on thermal heads (three motion units) and 1/72 inch
  // pins on the impact head (two 1/144 inch units).
  int FeedPerBand() const {
    if (Impact()) return 16;
    return 24;
  }


  // GS v 0 in bands; mode 3 doubles each bit across and down.
  void WriteRaster(ByteStream& out, const Canvas& canvas, int mode) const {
    const int scale = mode == 3 ? 2 : 1;
    const int rowBytes = (canvas.Width() + 7) / 8;
    int pendingFeed = 0;
    for (int top = 0; top < canvas.Height(); top += kRasterBandRows) {
      const int rows = std::min(kRasterBandRows, canvas.Height() - top);
      std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes) * rows, 0);
      int used = 0;
      for (int r = 0; r < rows; ++r)
        for (int x = 0; x < canvas.Width(); ++x)
          if (canvas.At(x, top + r)) {
            bits[static_cast<std::size_t>(r) * rowBytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            used = std::max(used, x / 8 + 1);
          }
      if (setup_.wholeRaster) used = rowBytes;
      if (used == 0) {
        pendingFeed += rows * scale;
        continue;
      }
      FeedEscJ(out, pendingFeed);
      pendingFeed = 0;
      out.Put({0x1D, 0x76, 0x30, static_cast<std::uint8_t>(mode)}).Le16(used).Le16(rows);
      for (int r = 0; r < rows; ++r)
        for (int b = 0; b < used; ++b) out.Put(bits[static_cast<std::size_t>(r) * rowBytes + b]);
    }
    FeedEscJ(out, pendingFeed);
  }

  PrinterSetup setup_;
};

}  // namespace

std::unique_ptr<Printer> MakeEscPosPrinter(const PrinterSetup& setup) { return std::make_unique<EscPosPrinter>(setup); }

}  // namespace samplejobs
