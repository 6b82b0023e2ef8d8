#pragma once

#include "byte_stream.h"
#include "printer.h"

namespace samplejobs {

// Page options of one stored job; each page kind reads its own fields.
struct PageOptions {
  double blackShare = 0;  // full-black page: black area as a share of the print width
  int shop = 0;           // customer pages: which shop's receipts
  int receipts = 0;       // customer pages: receipts in the stream
  bool logo = false;      // customer pages: logo graphic above each receipt
  double textMm = 2.0;    // customer pages: capital height of the receipt text
  int linePitch = 10;     // customer pages: line pitch in font dots (glyphs are 7 tall)
  unsigned startValue = 1;
};

// Each writes the printed part of a job after the set-up and before the closing commands.
// `stretch` makes the page longer (a pattern field, the black area, more receipt items)
// so that a job can be grown up to its stored size.
void DriverTestPage(ByteStream& out, const Printer& printer, const PrinterSetup& setup, int stretch);
void FullBlackPage(ByteStream& out, const Printer& printer, const PrinterSetup& setup, const PageOptions& page,
                   int stretch);
void CustomerReceipts(ByteStream& out, const Printer& printer, const PageOptions& page, int stretch);

}  // namespace samplejobs
