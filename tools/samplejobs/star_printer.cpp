// STAR dot-matrix mode on the 76 mm impact heads: 80 dpi single and 160 dpi double density
// across; 8- and 9-dot images at 1/72 inch pin pitch, 16- and 18-dot images at 1/144 inch;
// ESC J feeds in 1/144 inch.
#include <stdexcept>

#include "printer.h"

namespace samplejobs {

namespace {

struct StarMode {
  std::vector<std::uint8_t> head;  // command bytes before nL nH
  int dots;
  int feed;      // 1/144 inch per band
  bool double_;  // double density across
  double dpiY;
  const char* name;
};

StarMode ModeFor(Graphics graphics) {
  switch (graphics) {
    case Graphics::Dots8: return {{0x1B, 0x4B}, 8, 16, false, 72, "ESC K 8-dot single density"};
    case Graphics::Dots8Double: return {{0x1B, 0x4C}, 8, 16, true, 72, "ESC L 8-dot double density"};
    case Graphics::Pins9: return {{0x1B, 0x5E, 0x01}, 9, 18, false, 72, "ESC ^ 9-pin single density"};
    case Graphics::Pins16: return {{0x1B, 0x5E, 0x02}, 16, 16, false, 144, "ESC ^ 16-pin single density"};
    case Graphics::Pins18Double: return {{0x1B, 0x5E, 0x05}, 18, 18, true, 144, "ESC ^ 18-pin double density"};
    default: throw std::invalid_argument("graphics mode not in the STAR set");
  }
}

class StarPrinter final : public Printer {
 public:
  explicit StarPrinter(const PrinterSetup& setup) : setup_(setup), mode_(ModeFor(setup.graphics)) {}

  Geometry Layout(Detail) const override {
    return mode_.double_ ? Geometry{setup_.fullWidth, 160, mode_.dpiY, 2}
                         : Geometry{setup_.fullWidth / 2, 80, mode_.dpiY};
  }

  std::string GraphicsName() const override { return mode_.name; }

  void Begin(ByteStream& out) const override {
    out.Put({0x1B, 0x40});
    out.Put({0x1B, 0x7A, 0x31});        // ESC z 1: 1/6 inch lines
    out.Put({0x1B, 0x1D, 0x74, 0x00});  // ESC GS t 0: code page 437
    out.Put({0x1B, 0x1E, 0x69, 0x00});  // ESC RS i 0: upright printing
  }

  void Image(ByteStream& out, const Canvas& canvas, Detail) const override {
    const StarMode& mode = mode_;
    WriteColumnBands(
        out, canvas, {mode.dots, mode.double_}, mode.feed,
        [&mode](ByteStream& o, const std::vector<std::uint8_t>& data, int columns) {
          for (std::uint8_t b : mode.head) o.Put(b);
          o.Le16(columns);
          for (std::uint8_t b : data) o.Put(b);
        });
  }

  void Cut(ByteStream& out) const override { out.Put({0x1B, 0x61, 0x03, 0x1B, 0x64, 0x01}); }
  void End(ByteStream& out) const override { out.Put({0x1B, 0x61, 0x05, 0x1B, 0x64, 0x00}); }

  void Pad(ByteStream& out, std::size_t count) const override {
    const StarMode& mode = mode_;
    const std::size_t perColumn = static_cast<std::size_t>((mode.dots + 7) / 8);
    FillWithBands(
        out, count, {mode.head.size() + 2 + 3, perColumn, static_cast<std::size_t>(Layout(Detail::Normal).width)},
        [&mode, perColumn](ByteStream& o, std::size_t columns) {
          for (std::uint8_t b : mode.head) o.Put(b);
          o.Le16(static_cast<unsigned>(columns)).Zeros(columns * perColumn);
          o.Put({0x1B, 0x4A, static_cast<std::uint8_t>(mode.feed)});
        },
        0x0A);
  }

 private:

  PrinterSetup setup_;
  StarMode mode_;
};

}  // namespace

std::unique_ptr<Printer> MakeStarPrinter(const PrinterSetup& setup) { return std::make_unique<StarPrinter>(setup); }

}  // namespace samplejobs
