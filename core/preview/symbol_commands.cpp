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

// The GS1 check digit of the digits, weighted 3 and 1 from the right.
char Gs1CheckDigit(std::string_view digits) {
  int sum = 0, weight = 3;
  for (auto i = digits.rbegin(); i != digits.rend(); ++i, weight = 4 - weight) sum += (*i - '0') * weight;
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// GS1-128 and DataBar Expanded data as printed: the application identifiers
// in parentheses, '*' standing for the check digit of the digits before it
// in its element, "{" before a special character ({1 FNC1, {{ {*). The
// separators after variable-length elements are the library's to place.
// Nothing when there is no identifier or literal parentheses ({( {)) are
// asked for.
std::optional<std::string> Gs1Elements(std::string_view data) {
  std::string text;
  std::size_t element = 0;  // where the current element's data starts
  for (std::size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '{' && i + 1 < data.size()) {
      const char special = data[++i];
      if (special == '{' || special == '*') text += special;
      else if (special == '(' || special == ')') return std::nullopt;
      continue;  // FNC1 and FNC3 hold no character
    }
    if (c == '*') {
      std::string digits;
      for (std::size_t k = element; k < text.size(); ++k)
        if (text[k] >= '0' && text[k] <= '9') digits += text[k];
      text += Gs1CheckDigit(digits);
      continue;
    }
    text += c;
    if (c == ')') element = text.size();
  }
  if (text.empty() || text.front() != '(') return std::nullopt;
  return text;
}

// UPC-A, EAN-13 and EAN-8 given without their check digit: the printer
// computes it and prints it with the others.
std::string WithCheckDigit(std::string_view data, std::size_t digitsWithout) {
  if (data.size() != digitsWithout || data.find_first_not_of("0123456789") != std::string_view::npos) return {};
  return std::string(data) + Gs1CheckDigit(data);
}

}  // namespace

std::optional<SymbolRequest> BarcodeRequest(int m, std::string_view data) {
  SymbolRequest r;
  r.data = std::string(data);
  switch (m >= 65 ? m - 65 : m) {
    case 0:
      r.type = Symbology::UpcA;
      r.text = WithCheckDigit(data, 11);
      break;
    case 1: r.type = Symbology::UpcE; break;
    case 2:
      r.type = Symbology::Ean13;
      r.text = WithCheckDigit(data, 12);
      break;
    case 3:
      r.type = Symbology::Ean8;
      r.text = WithCheckDigit(data, 7);
      break;
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
      } else if (m == 74 || m == 78) {
        const std::optional<std::string> elements = Gs1Elements(data);
        if (!elements) return std::nullopt;
        r.type = m == 74 ? Symbology::Gs1_128 : Symbology::DataBarExpanded;
        r.data = *elements;
      } else if (m >= 75 && m <= 77) {
        // The item number after (01), without its check digit; truncated
        // DataBar differs only in height, which GS h gives.
        r.type = m == 77 ? Symbology::DataBarLimited : Symbology::DataBar;
        if (r.data.size() == 13 && r.data.find_first_not_of("0123456789") == std::string::npos)
          r.text = "(01)" + r.data + Gs1CheckDigit(r.data);
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
    case 50: return &maxiCode_;
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
    case 65:  // PDF417 data columns; QR model; MaxiCode mode 50-54 for 2-6
      if (cn == 48 && n >= 0) s->columns = n;
      if (cn == 49) s->micro = n == 51;
      if (cn == 50 && n >= 50 && n <= 54) s->mode = n - 48;
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
                     : cn == 50 ? Symbology::MaxiCode : cn == 53 ? Symbology::Aztec : Symbology::DataMatrix;
      p.request.data = s->data;
      p.request.errorLevel = s->errorLevel;
      p.request.columns = s->columns;
      p.request.rows = s->rows;
      p.request.mode = s->mode;
      p.moduleWidth = cn == 50 ? 1 : s->module;  // MaxiCode has one size, drawn in dots
      p.moduleHeight = cn == 50 ? 1 : cn == 48 ? s->module * s->rowHeight : s->module;
      return p;
    }
    default: break;
  }
  return std::nullopt;
}

}  // namespace preview
