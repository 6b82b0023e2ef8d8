#pragma once

#include <map>
#include <string>

#include "support/hex.h"

// Answers by request, the request as ToHex gives it; an empty answer: none.
using PrinterScript = std::map<std::string, Bytes>;

// Status 1..4 "ready", and a printer that tells who it is.
inline PrinterScript ReadyPrinterScript() {
  return {
      {"10 04 01", Hex("12")},
      {"10 04 02", Hex("12")},
      {"10 04 03", Hex("12")},
      {"10 04 04", Hex("12")},
      {"1D 49 01", Hex("20")},
      {"1D 49 02", Hex("03")},
      {"1D 49 03", Hex("05")},
      {"1D 49 41", Cat({Hex("5F"), Ascii("1.07"), Hex("00")})},
      {"1D 49 42", Cat({Hex("5F"), Ascii("ACME"), Hex("00")})},
      {"1D 49 43", Cat({Hex("5F"), Ascii("TP-80"), Hex("00")})},
      {"1D 49 44", Cat({Hex("5F"), Ascii("K0042"), Hex("00")})},
  };
}
