#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bar codes and 2D codes as grids of modules, made by the symbol library
// where the build has one.
namespace preview {

enum class Symbology {
  UpcA, UpcE, Ean13, Ean8, Code39, Itf, Codabar, Code93, Code128, Gs1_128, DataBar, DataBarLimited,
  DataBarExpanded, Qr, MicroQr, Pdf417, DataMatrix, Aztec, MaxiCode,
};

struct SymbolRequest {
  Symbology type = Symbology::Code128;
  std::string data;   // the characters the symbol holds
  std::string text;   // the text printed with the bars, when not `data`
  int errorLevel = 0; // QR: 1 L to 4 H, 0 automatic; PDF417: 0 to 8, -1 automatic
  int columns = 0;    // PDF417 data columns, 0: automatic
  int rows = 0;       // PDF417 rows, 0: automatic
  int mode = 4;       // MaxiCode 2 to 6
  int dotsPerInch = 203;  // MaxiCode prints at its one size, about 28 x 27 mm
};

// MaxiCode's hexagons come as a picture: one module per dot.
struct Symbol {
  int width = 0;  // modules across
  int rows = 0;   // module rows (1 for a linear bar code)
  std::vector<std::uint8_t> modules;  // rows x width, 1 for a bar or dark module
  bool Dark(int row, int column) const { return modules[static_cast<std::size_t>(row) * width + column] != 0; }
};

// False in builds without a symbol library: symbols are then drawn as labelled boxes.
bool HaveSymbolLibrary();

// The symbol for the data, or nothing when the library is missing or the
// data does not fit the symbology. GS1-128 and DataBar Expanded data names
// its application identifiers in parentheses: "(01)09501101530003(10)AB".
std::optional<Symbol> EncodeSymbol(const SymbolRequest& request);

}  // namespace preview
