#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "preview/symbols.h"

// What the ESC/POS bar code commands ask for, as symbol requests.
namespace preview {

// GS k m: the symbology of m (0-6 ended by NUL, 65-79 counted) and the
// characters its data stands for; nothing for a symbology not drawn here.
std::optional<SymbolRequest> BarcodeRequest(int m, std::string_view data);
// The name of GS k's symbology m, for labels.
std::string BarcodeName(int m);

// GS ( k: the settings and stored data of each 2D symbol, and what
// "print the stored data" asks for.
class TwoDimensionalCodes {
 public:
  TwoDimensionalCodes() { pdf417_.errorLevel = -1; }  // PDF417: the library's choice until set
  struct Print {
    SymbolRequest request;
    int moduleWidth = 3;  // dots
    int moduleHeight = 3; // dots
  };
  // One function: the bytes after pL pH (cn fn and its parameters). The symbol
  // to draw when the function prints one.
  std::optional<Print> Apply(std::span<const std::uint8_t> function);

 private:
  struct Settings {
    int module = 3;       // dots; PDF417: module width
    int rowHeight = 3;    // PDF417: rows this many modules tall
    int errorLevel = 0;
    int columns = 0, rows = 0;
    bool micro = false;  // QR model: 51 for Micro QR (model 1 is drawn as model 2)
    int mode = 2;        // MaxiCode mode
    std::string data;
  };
  Settings qr_, pdf417_, maxiCode_, dataMatrix_, aztec_;
  Settings* Of(int cn);
};

}  // namespace preview
