#include "preview/symbols.h"

#ifdef HAVE_ZINT
#include <zint.h>

#include <algorithm>
#include <memory>
#endif

namespace preview {

#ifdef HAVE_ZINT

namespace {

int ZintType(const SymbolRequest& r) {
  const bool checked = r.data.size() == 13 || r.data.size() == 8;  // the check digit is in the data
  switch (r.type) {
    case Symbology::UpcA: return BARCODE_UPCA;
    case Symbology::UpcE: return BARCODE_UPCE;
    case Symbology::Ean13:
    case Symbology::Ean8: return checked ? BARCODE_EANX_CHK : BARCODE_EANX;
    case Symbology::Code39: return BARCODE_CODE39;
    case Symbology::Itf: return BARCODE_C25INTER;
    case Symbology::Codabar: return BARCODE_CODABAR;
    case Symbology::Code93: return BARCODE_CODE93;
    case Symbology::Code128: return BARCODE_CODE128;
    case Symbology::Gs1_128: return BARCODE_GS1_128;
    case Symbology::DataBar: return BARCODE_DBAR_OMN;
    case Symbology::DataBarLimited: return BARCODE_DBAR_LTD;
    case Symbology::DataBarExpanded: return BARCODE_DBAR_EXP;
    case Symbology::MaxiCode: return BARCODE_MAXICODE;
    case Symbology::Qr: return BARCODE_QRCODE;
    case Symbology::MicroQr: return BARCODE_MICROQR;
    case Symbology::Pdf417: return BARCODE_PDF417;
    case Symbology::DataMatrix: return BARCODE_DATAMATRIX;
    case Symbology::Aztec: return BARCODE_AZTEC;
  }
  return BARCODE_CODE128;
}

bool Gs1(Symbology type) { return type == Symbology::Gs1_128 || type == Symbology::DataBarExpanded; }

// MaxiCode modes 2 and 3 carry a postal code, country and service class
// ahead of the rest, each ended by GS, after an optional "[)>" RS "01" GS
// "yy" header; the library takes the three as its primary message. False
// when the data has no such structure.
bool SplitCarrierMessage(const std::string& data, std::string& primary, std::string& secondary) {
  const std::string header = "[)>\x1e" "01\x1d";
  const std::size_t headed = data.compare(0, header.size(), header) == 0 ? std::min(data.size(), header.size() + 2) : 0;
  std::size_t at = headed;
  std::string fields[3];
  for (std::string& field : fields) {
    const std::size_t gs = data.find('\x1d', at);
    if (gs == std::string::npos) return false;
    field = data.substr(at, gs - at);
    at = gs + 1;
  }
  if (fields[1].size() != 3 || fields[2].size() != 3) return false;
  primary = fields[0] + fields[1] + fields[2];
  secondary = data.substr(0, headed) + data.substr(at);
  return true;
}

}  // namespace

bool HaveSymbolLibrary() { return true; }

std::optional<Symbol> EncodeSymbol(const SymbolRequest& r) {
  if (r.data.empty() || r.data.size() > 7000) return std::nullopt;
  const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(), ZBarcode_Delete);
  if (!z) return std::nullopt;
  z->symbology = ZintType(r);
  z->input_mode = Gs1(r.type) ? GS1_MODE | GS1PARENS_MODE : DATA_MODE;
  if ((r.type == Symbology::Qr || r.type == Symbology::MicroQr) && r.errorLevel >= 1 && r.errorLevel <= 4)
    z->option_1 = r.errorLevel;
  if (r.type == Symbology::Pdf417) {
    z->option_1 = r.errorLevel >= 0 && r.errorLevel <= 8 ? r.errorLevel : -1;
    if (r.columns > 0 && r.columns <= 30) z->option_2 = r.columns;
    if (r.rows >= 3 && r.rows <= 90) z->option_3 = r.rows;
  }
  std::string data = r.data;
  if (r.type == Symbology::MaxiCode) {
    if (r.mode < 2 || r.mode > 6) return std::nullopt;
    z->option_1 = r.mode;
    if (r.mode <= 3) {
      std::string primary;
      if (!SplitCarrierMessage(r.data, primary, data) || primary.size() >= sizeof z->primary) return std::nullopt;
      primary.copy(z->primary, primary.size());
      z->primary[primary.size()] = '\0';
    }
    z->scale = 2;  // a fine picture, sampled down to the symbol's size below
  }
  if (ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size())) >=
      ZINT_ERROR)
    return std::nullopt;
  Symbol s;
  if (r.type == Symbology::MaxiCode) {
    // The hexagons and bull's eye as dots, 28.14 x 26.91 mm.
    if (ZBarcode_Buffer(z.get(), 0) >= ZINT_ERROR || z->bitmap == nullptr || z->bitmap_width <= 0 ||
        z->bitmap_height <= 0)
      return std::nullopt;
    const int dpi = std::clamp(r.dotsPerInch, 60, 600);
    s.width = static_cast<int>(28.14 / 25.4 * dpi + 0.5);
    s.rows = static_cast<int>(26.91 / 25.4 * dpi + 0.5);
    s.modules.resize(static_cast<std::size_t>(s.width) * s.rows);
    for (int y = 0; y < s.rows; ++y)
      for (int x = 0; x < s.width; ++x) {
        const std::size_t from = static_cast<std::size_t>(y * z->bitmap_height / s.rows) * z->bitmap_width +
                                 static_cast<std::size_t>(x * z->bitmap_width / s.width);
        s.modules[static_cast<std::size_t>(y) * s.width + x] = z->bitmap[from * 3] < 128;
      }
    return s;
  }
  s.width = z->width;
  s.rows = z->rows;
  if (s.width <= 0 || s.rows <= 0 || s.width > 144 * 8 || s.rows > 200) return std::nullopt;
  s.modules.resize(static_cast<std::size_t>(s.width) * s.rows);
  for (int y = 0; y < s.rows; ++y)
    for (int x = 0; x < s.width; ++x)
      s.modules[static_cast<std::size_t>(y) * s.width + x] = z->encoded_data[y][x >> 3] >> (x & 7) & 1;
  return s;
}

#else

bool HaveSymbolLibrary() { return false; }

std::optional<Symbol> EncodeSymbol(const SymbolRequest&) { return std::nullopt; }

#endif

}  // namespace preview
