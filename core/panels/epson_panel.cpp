#include "panels/epson_panel.h"

#include <string>

#include "panels/epson_panel_ids.h"
#include "panels/epson_receipt.h"
#include "panels/field_readers.h"
#include "panels/shared_runs.h"
#include "panels/weighing_ticket.h"

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

Transmission Runs(std::initializer_list<std::string_view> runs) {
  Transmission t;
  for (std::string_view run : runs) t.runs.emplace_back(run);
  return t;
}

// ESC J n / ESC j n with the amount typed in hexadecimal.
Transmission Feed(Panel& panel, char command) {
  std::string feed = "\x1B"s + command;
  feed += static_cast<char>(ReadHexByte(panel, IDC_EPSON_FEED_AMOUNT));
  return Runs({kKanjiInit, feed});
}

Transmission CopyLoop(Panel& panel, Transmission t) {
  t.copies = ReadCopyCount(panel, IDC_EPSON_COPY_COUNT);
  return t;
}

Transmission ChineseReceipt(Panel& panel) {
  Transmission t;
  for (std::string_view run : kEpsonReceiptRuns) t.runs.emplace_back(run);
  t.runs.emplace_back("\n");
  t.runs.emplace_back("\x1Bi");
  return CopyLoop(panel, std::move(t));
}

// A prefix run, then the user text as one run when there is any.
Transmission UserText(Panel& panel, std::string_view prefix) {
  Transmission t = Runs({prefix});
  std::string text = ReadUserText(panel, IDC_EPSON_USER_TEXT);
  if (!text.empty()) t.runs.push_back(std::move(text));
  return t;
}

// GS * 30 10: a 240 x 80 dot grid, one run per column.
Transmission DefineGridImage() {
  Transmission t = Runs({"\x1D*\x1E\n"sv});
  for (int line = 0; line < 24; ++line) {
    t.runs.emplace_back(kGridColumn);
    for (int gap = 0; gap < 9; ++gap) t.runs.emplace_back(kGridGapColumn);
  }
  return t;
}

// CODE39 "123ABCD" at height 64, module 3, then height 162, module 2.
Transmission BarCodes() {
  return Runs({"\x1B@\x1DH\x02"sv, "\x1Dh\x40\x1Dw\x03"sv, "\x1Dk\x45\x07" "123ABCD"sv,
               "\x1B@\x1DH\x02"sv, "\x1Dh\xA2\x1Dw\x02"sv, "\x1Dk\x45\x07" "123ABCD"sv});
}

}  // namespace

std::optional<Transmission> EpsonPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_EPSON_FEED_FORWARD: return Feed(panel, 'J');
    case IDC_EPSON_FEED_REVERSE: return Feed(panel, 'j');
    case IDC_EPSON_CHINESE_RECEIPT: return ChineseReceipt(panel);
    case IDC_EPSON_ENGLISH_LINE: return CopyLoop(panel, Runs({kFoxLine, "\n"sv}));
    case IDC_EPSON_PRINT_TEXT: return UserText(panel, kKanjiInit);
    case IDC_EPSON_PRINT_TEXT_LARGE: return UserText(panel, "\x1B@\x1B!\x30"sv);
    case IDC_EPSON_DOUBLE_HEIGHT: return Runs({"\x1B@\x1C!\x08倍高"sv, kCharacterSample});
    case IDC_EPSON_DOUBLE_WIDTH: return Runs({"\x1B@\x1C!\x04倍宽"sv, kCharacterSample});
    case IDC_EPSON_FULL_CUT: return Runs({"\x1Bi"sv});
    case IDC_EPSON_PARTIAL_CUT: return Runs({"\x1Bm"sv});
    case IDC_EPSON_DEFINE_IMAGE: return DefineGridImage();
    case IDC_EPSON_PRINT_IMAGE: return Runs({"\x1D/\x00"sv, "\r"sv});
    case IDC_EPSON_FEED_TO_MARK: return Runs({"\x1D(F\x04\x00\x01\x00\x9F\x00\x1D\x0C"sv});
    case IDC_EPSON_PRINT_AFTER_MARK: return Runs({"\x1D(F\x04\x00\x01\x00\x4A\x01\x1D\x0C"sv});
    case IDC_EPSON_DRAWER_1: return Runs({"\x1Bp\x00\x3F\xFF"sv});
    case IDC_EPSON_DRAWER_2: return Runs({"\x1Bp\x01\x3F\xFF"sv});
    case IDC_EPSON_BARCODE: return BarCodes();
    case IDC_EPSON_WEIGHING_TICKET: return Runs({WeighingTicket()});
    default: return std::nullopt;
  }
}
