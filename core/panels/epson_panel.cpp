#include "panels/epson_panel.h"

#include <string>

#include "panels/epson_panel_ids.h"
#include "panels/epson_receipt.h"
#include "panels/panel_runs.h"
#include "panels/shared_runs.h"
#include "panels/weighing_ticket.h"

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

Transmission ChineseReceipt(Panel& panel) {
  Transmission t{EpsonReceiptRuns()};
  t.runs.emplace_back("\n");
  t.runs.emplace_back("\x1Bi");
  return CopyLoop(panel, IDC_EPSON_COPY_COUNT, std::move(t));
}

// CODE39 "123ABCD" at height 64, module 3, then height 162, module 2.
Transmission BarCodes() {
  return Runs({"\x1B@\x1DH\x02"sv, "\x1Dh\x40\x1Dw\x03"sv, "\x1Dk\x45\x07" "123ABCD"sv,
               "\x1B@\x1DH\x02"sv, "\x1Dh\xA2\x1Dw\x02"sv, "\x1Dk\x45\x07" "123ABCD"sv});
}

}  // namespace

std::optional<Transmission> EpsonPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_EPSON_FEED_FORWARD: return Feed(panel, IDC_EPSON_FEED_AMOUNT, kKanjiInit, "\x1BJ");
    case IDC_EPSON_FEED_REVERSE: return Feed(panel, IDC_EPSON_FEED_AMOUNT, kKanjiInit, "\x1Bj");
    case IDC_EPSON_CHINESE_RECEIPT: return ChineseReceipt(panel);
    case IDC_EPSON_ENGLISH_LINE: return CopyLoop(panel, IDC_EPSON_COPY_COUNT, Runs({kFoxLine, "\n"sv}));
    case IDC_EPSON_PRINT_TEXT: return UserText(panel, IDC_EPSON_USER_TEXT, kKanjiInit);
    case IDC_EPSON_PRINT_TEXT_LARGE: return UserText(panel, IDC_EPSON_USER_TEXT, "\x1B@\x1B!\x30"sv);
    case IDC_EPSON_DOUBLE_HEIGHT: return Runs({"\x1B@\x1C!\x08倍高"sv, kCharacterSample});
    case IDC_EPSON_DOUBLE_WIDTH: return Runs({"\x1B@\x1C!\x04倍宽"sv, kCharacterSample});
    case IDC_EPSON_FULL_CUT: return Runs({"\x1Bi"sv});
    case IDC_EPSON_PARTIAL_CUT: return Runs({"\x1Bm"sv});
    case IDC_EPSON_DEFINE_IMAGE: return DefineGridImage();
    case IDC_EPSON_PRINT_IMAGE: return PrintGridImage();
    case IDC_EPSON_FEED_TO_MARK: return Runs({"\x1D(F\x04\x00\x01\x00\x9F\x00\x1D\x0C"sv});
    case IDC_EPSON_PRINT_AFTER_MARK: return Runs({"\x1D(F\x04\x00\x01\x00\x4A\x01\x1D\x0C"sv});
    case IDC_EPSON_DRAWER_1: return Runs({"\x1Bp\x00\x3F\xFF"sv});
    case IDC_EPSON_DRAWER_2: return Runs({"\x1Bp\x01\x3F\xFF"sv});
    case IDC_EPSON_BARCODE: return BarCodes();
    case IDC_EPSON_WEIGHING_TICKET: return Runs({WeighingTicket()});
    default: return std::nullopt;
  }
}
