#include "panels/star9_panel.h"

#include "panels/panel_runs.h"
#include "panels/shared_runs.h"
#include "panels/star9_panel_ids.h"
#include "panels/star9_receipts.h"

using namespace std::string_view_literals;

namespace {

constexpr std::string_view kInit = "\x1B@"sv;
constexpr std::string_view kFullCut = "\x1B" "d\x00"sv;

Transmission ChineseReceipt(Panel& panel) {
  Transmission t{StarReceiptRuns()};
  t.runs.emplace_back("\n");
  t.runs.emplace_back(kFullCut);
  return CopyLoop(panel, IDC_STAR9_COPY_COUNT, std::move(t));
}

// Always one receipt, whatever the copy field says.
Transmission SalesReceipt() {
  Transmission t;
  for (std::string_view run : kSalesReceiptRuns) t.runs.emplace_back(run);
  t.runs.emplace_back(kFullCut);
  return t;
}

}  // namespace

std::optional<Transmission> Star9Panel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_STAR9_FEED_FORWARD: return Feed(panel, IDC_STAR9_AMOUNT, kInit, "\x1BJ");
    case IDC_STAR9_LINE_SPACING: return Feed(panel, IDC_STAR9_AMOUNT, kInit, "\x1B" "3");
    case IDC_STAR9_CHINESE_RECEIPT: return ChineseReceipt(panel);
    case IDC_STAR9_ENGLISH_LINE: return CopyLoop(panel, IDC_STAR9_COPY_COUNT, Runs({kFoxLine, "\n"sv}));
    case IDC_STAR9_PRINT_TEXT: return UserText(panel, IDC_STAR9_USER_TEXT, kInit);
    case IDC_STAR9_PRINT_TEXT_LARGE: return UserText(panel, IDC_STAR9_USER_TEXT, "\x1B@\x1Bw\x00"sv);
    case IDC_STAR9_DOUBLE_WIDTH: return Runs({"\x1B@\x0E"sv, kCharacterSample});
    case IDC_STAR9_SALES_RECEIPT: return SalesReceipt();
    case IDC_STAR9_FULL_CUT: return Runs({kFullCut});
    case IDC_STAR9_PARTIAL_CUT: return Runs({"\x1B" "d\x01"sv});
    case IDC_STAR9_UNDERLINE_ON: return Runs({"\x1B-\x01"sv, kCharacterSampleLine});
    case IDC_STAR9_UNDERLINE_OFF: return Runs({"\x1B-\x00"sv, kCharacterSampleLine});
    case IDC_STAR9_DRAWER: return Runs({"\x07"sv});
    case IDC_STAR9_DEFINE_IMAGE: return DefineGridImage();
    case IDC_STAR9_PRINT_IMAGE: return PrintGridImage();
    default: return std::nullopt;
  }
}
