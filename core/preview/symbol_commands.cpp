#include "preview/symbol_commands.h"

#include <algorithm>
#include <cstdio>

namespace preview {

namespace {

// Code 128 data with code set selectors ({A, {B, {C) as the characters it
// encodes: in code set C each byte is a pair of digits; "{{" is a brace and
// the function codes ({1 to {4, {S) hold no character.
std::string Code128Text(std::string_view data) {
  std::string text;
  char set = 'B';
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '{' && i + 1 < data.size()) {
      const char code = data[++i];
      if (code == 'A' || code == 'B' || code == 'C') set = code;
      else if (code == '{') text += '{';
      continue;
    }
    const auto b = static_cast<unsigned char>(data[i]);
    if (set == 'C') {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%02u", b % 100u);
      text += pair;
    } else {
      text += static_cast<char>(b);
    }
  }
  return text;
}

}  // namespace

std::optional<SymbolRequest> BarcodeRequest(int m, std::string_view data) {
  SymbolRequest r;
  r.data = std::string(data);
  switch (m >= 65 ? m - 65 : m) {
    case 0: r.type = Symbology::UpcA; break;
    case 1: r.type = Symbology::UpcE; break;
    case 2: r.type = Symbology::Ean13; break;
    case 3: r.type = Symbology::Ean8; break;
    case 4:
      r.type = Symbology::Code39;
      // The printer adds the start and stop characters.
      if (r.data.size() >= 2 && r.data.front() == '*' && r.data.back() == '*') r.data = r.data.substr(1, r.data.size() - 2);
      break;
    case 5: r.type = Symbology::Itf; break;
    case 6: r.type = Symbology::Codabar; break;
    default:
      if (m == 72) {
        r.type = Symbology::Code93;
      } else if (m == 73) {
        r.type = Symbology::Code128;
        r.data = Code128Text(data);
      } else if (m == 75) {
        r.type = Symbology::DataBar;
      } else if (m == 77) {
        r.type = Symbology::DataBarLimited;
      } else if (m == 79) {
        r.type = Symbology::Code128;
      } else {
        return std::nullopt;
      }
  }
  return r;
}

std::string BarcodeName(int m) {
  static const char* const kNames[] = {"UPC-A", "UPC-E", "EAN-13", "EAN-8", "CODE39", "ITF", "CODABAR"};
  const int n = m >= 65 ? m - 65 : m;
  if (n >= 0 && n <= 6) return kNames[n];
  static const char* const kLater[] = {"CODE93", "CODE128", "GS1-128", "DataBar", "DataBar truncated",
                                       "DataBar limited", "DataBar expanded", "CODE128 auto"};
  if (m >= 72 && m <= 79) return kLater[m - 72];
  return "type " + std::to_string(m);
}

TwoDimensionalCodes::Settings* TwoDimensionalCodes::Of(int cn) {
  switch (cn) {
    case 48: return &pdf417_;
    case 49: return &qr_;
    case 53: return &aztec_;
    case 54: return &dataMatrix_;
    default: return nullptr;
  }
}

std::optional<TwoDimensionalCodes::Print> TwoDimensionalCodes::Apply(std::span<const std::uint8_t> f) {
  if (f.size() < 2) return std::nullopt;
  const int cn = f[0], fn = f[1];
  Settings* s = Of(cn);
  if (s == nullptr) return std::nullopt;
  const int n = f.size() > 2 ? f[2] : -1;
  const int n2 = f.size() > 3 ? f[3] : -1;
  switch (fn) {
    case 65:  // PDF417 data columns; QR model
      if (cn == 48 && n >= 0) s->columns = n;
      if (cn == 49) s->micro = n == 51;
      break;
    case 66:  // PDF417 rows
      if (cn == 48 && n >= 0) s->rows = n;
      break;
    case 67:  // module size
      if (n >= 1) s->module = std::min(n, 16);
      break;
    case 68:  // PDF417 row height in modules
      if (cn == 48 && n >= 1) s->rowHeight = std::min(n, 8);
      break;
    case 69:  // error correction: QR 48-51 for L M Q H; PDF417 m=48 then level 48-56
      if (cn == 49 && n >= 48 && n <= 51) s->errorLevel = n - 47;
      if (cn == 48 && n == 48 && n2 >= 48 && n2 <= 56) s->errorLevel = n2 - 48;
      break;
    case 80:  // store the data after m
      if (f.size() >= 3) s->data.assign(f.begin() + 3, f.end());
      break;
    case 81: {  // print the stored data
      Print p;
      p.request.type = cn == 48 ? Symbology::Pdf417 : cn == 49 ? (s->micro ? Symbology::MicroQr : Symbology::Qr)
                     : cn == 53 ? Symbology::Aztec : Symbology::DataMatrix;
      p.request.data = s->data;
      p.request.errorLevel = s->errorLevel;
      p.request.columns = s->columns;
      p.request.rows = s->rows;
      p.moduleWidth = s->module;
      p.moduleHeight = cn == 48 ? s->module * s->rowHeight : s->module;
      return p;
    }
    default: break;
  }
  return std::nullopt;
}

}  // namespace preview
