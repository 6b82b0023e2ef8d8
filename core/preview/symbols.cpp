#include "preview/symbols.h"

#ifdef HAVE_ZINT
#include <zint.h>

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
    case Symbology::DataBar: return BARCODE_DBAR_OMN;
    case Symbology::DataBarLimited: return BARCODE_DBAR_LTD;
    case Symbology::Qr: return BARCODE_QRCODE;
    case Symbology::MicroQr: return BARCODE_MICROQR;
    case Symbology::Pdf417: return BARCODE_PDF417;
    case Symbology::DataMatrix: return BARCODE_DATAMATRIX;
    case Symbology::Aztec: return BARCODE_AZTEC;
  }
  return BARCODE_CODE128;
}

}  // namespace

bool HaveSymbolLibrary() { return true; }

std::optional<Symbol> EncodeSymbol(const SymbolRequest& r) {
  if (r.data.empty() || r.data.size() > 7000) return std::nullopt;
  const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(), ZBarcode_Delete);
  if (!z) return std::nullopt;
  z->symbology = ZintType(r);
  z->input_mode = DATA_MODE;
  if ((r.type == Symbology::Qr || r.type == Symbology::MicroQr) && r.errorLevel >= 1 && r.errorLevel <= 4)
    z->option_1 = r.errorLevel;
  if (r.type == Symbology::Pdf417) {
    z->option_1 = r.errorLevel >= 0 && r.errorLevel <= 8 ? r.errorLevel : -1;
    if (r.columns > 0 && r.columns <= 30) z->option_2 = r.columns;
    if (r.rows >= 3 && r.rows <= 90) z->option_3 = r.rows;
  }
  if (ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(r.data.data()), static_cast<int>(r.data.size())) >=
      ZINT_ERROR)
    return std::nullopt;
  Symbol s;
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
