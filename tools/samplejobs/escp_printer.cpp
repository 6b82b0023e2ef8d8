// ESC/P on the 24-pin impact head, also behind the OKI-mode set-up: 60 and 120 dpi across,
// 8-dot images at 1/60 inch and 24-dot images at 1/180 inch down, ESC J in 1/180 inch.
// ESC J does not return the carriage, so every image line ends with CR.
#include <stdexcept>

#include "printer.h"

namespace samplejobs {

namespace {

class EscPPrinter final : public Printer {
 public:
  explicit EscPPrinter(const PrinterSetup& setup) : setup_(setup) {
    switch (setup.graphics) {
      case Graphics::Dots8: mode_ = 0; break;
      case Graphics::Dots8Double: mode_ = 1; break;
      case Graphics::Dots24: mode_ = 32; break;
      case Graphics::Dots24Double: mode_ = 33; break;
      default: throw std::invalid_argument("graphics mode not in the ESC/P set");
    }
  }

  Geometry Layout(Detail) const override {
    const bool doubled = mode_ == 1 || mode_ == 33;
    const double dpiY = Dots() == 8 ? 60 : 180;
    return doubled ? Geometry{setup_.fullWidth, 120, dpiY} : Geometry{setup_.fullWidth / 2, 60, dpiY};
  }

  std::string GraphicsName() const override {
    switch (mode_) {
      case 0: return "ESC * 8-dot single density";
      case 1: return "ESC * 8-dot double density";
      case 32: return "ESC * 24-dot single density";
      default: return "ESC * 24-dot double density";
    }
  }

  void Begin(ByteStream& out) const override {
    if (setup_.opening == Opening::PacketExit)
      out.Put({0x00, 0x00, 0x00, 0x1B, 0x01}).Text("@EJL 1284.4\n@EJL     \n");
    if (setup_.opening == Opening::Oki) {
      out.Put({0x1B, 0x40, 0x18});                    // ESC @, CAN
      out.Put({0x1B, 0x74, 0x01, 0x1B, 0x36});        // ESC t 1, ESC 6
      out.Put({0x1B, 0x52, 0x00});                    // ESC R 0
      out.Put({0x1B, 0x7C, 0x15, 0x07});              // OKI-mode set-up
    } else {
      out.Put({0x1B, 0x40});
      out.Put({0x1B, 0x74, 0x01, 0x1B, 0x36});        // ESC t 1, ESC 6
      out.Put({0x1B, 0x52, 0x00, 0x1B, 0x72, 0x00});  // ESC R 0, ESC r 0
      out.Put({0x1B, 0x55, 0x01});                    // ESC U 1: one direction
    }
    out.Put({0x1B, 0x33, 0x18});  // ESC 3 24: 24/180 inch lines
  }

  void Image(ByteStream& out, const Canvas& canvas, Detail) const override {
    const int m = mode_;
    WriteColumnBands(
        out, canvas, {Dots(), false}, 24,
        [m](ByteStream& o, const std::vector<std::uint8_t>& data, int columns) {
          o.Put({0x1B, 0x2A, static_cast<std::uint8_t>(m)}).Le16(columns);
          for (std::uint8_t b : data) o.Put(b);
          o.Put(0x0D);
        });
  }

  void Cut(ByteStream& out) const override { out.Put(0x0C); }
  void End(ByteStream& out) const override { out.Put({0x0C, 0x1B, 0x40}); }

  void Pad(ByteStream& out, std::size_t count) const override {
    const std::size_t perColumn = static_cast<std::size_t>(Dots() / 8);
    const int m = mode_;
    FillWithBands(
        out, count, {9, perColumn, static_cast<std::size_t>(Layout(Detail::Normal).width)},
        [m, perColumn](ByteStream& o, std::size_t columns) {
          o.Put({0x1B, 0x2A, static_cast<std::uint8_t>(m)}).Le16(static_cast<unsigned>(columns));
          o.Zeros(columns * perColumn).Put(0x0D).Put({0x1B, 0x4A, 24});
        },
        0x0D);
  }

 private:
  int Dots() const { return mode_ < 32 ? 8 : 24; }


  PrinterSetup setup_;
  int mode_ = 0;
};

}  // namespace

std::unique_ptr<Printer> MakeEscPPrinter(const PrinterSetup& setup) { return std::make_unique<EscPPrinter>(setup); }

}  // namespace samplejobs
