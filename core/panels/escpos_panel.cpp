#include "panels/escpos_panel.h"

#include <string>

#include "config/config_command.h"
#include "panels/escpos_panel_ids.h"
#include "panels/escpos_runs.h"
#include "panels/panel_runs.h"
#include "panels/shared_runs.h"

using namespace std::string_view_literals;

namespace {

constexpr std::uint8_t kCompressedPrinting = 0x12;

// This panel resets the link after every copy, and not at all when the count
// is negative.
Transmission CopiesResetEach(Panel& panel, std::string_view run) {
  Transmission t = CopyLoop(panel, IDC_ESCPOS_COPY_COUNT, Runs({run}));
  t.resetEachCopy = true;
  return t;
}

// ESC U n sets the print direction; the sample line follows three times.
Transmission Direction(std::string_view head) {
  return Runs({head, kCharacterSampleLine, kCharacterSampleLine, kCharacterSampleLine});
}

// FS x n sets the print speed; 24 eights and a line feed follow in the same run.
Transmission Speed(char speed) {
  std::string run = "\x1Cx";
  run += speed;
  run += "888888888888888888888888\n";
  return Transmission{{std::move(run)}};
}

Transmission Image() {
  Transmission t = Runs({kEscPosImageHead});
  t.runs.push_back(EscPosImageColumns());
  return t;
}

// FS P bar codes: Code 39 with start and stop asterisks.
Transmission BarCodes() {
  return Runs({"\x1CP\x05\x02\x03\x03\x08*123456*\n"sv,
               "\x1CP\x05\x02\x02\x02\x14*123456789ABCDEFGHI*\n"sv});
}

Transmission EffectsPage() {
  Transmission t;
  for (std::string_view run : kEscPosEffectsRuns) t.runs.emplace_back(run);
  return t;
}

}  // namespace

std::optional<Transmission> EscPosPanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_ESCPOS_HEADER_LINE: return CopiesResetEach(panel, kItemHeaderLine);
    case IDC_ESCPOS_ENGLISH_LINE: return CopiesResetEach(panel, kFoxLine);
    case IDC_ESCPOS_FEED_FORWARD: return Runs({"\x1BJ\xF0"sv});
    case IDC_ESCPOS_FEED_REVERSE: return Runs({"\x1Bj\xF0"sv});
    case IDC_ESCPOS_DOUBLE_HEIGHT: return Runs({"\x1B@\x1C!\x08倍高"sv, kFoxLine});
    case IDC_ESCPOS_DOUBLE_WIDTH: return Runs({"\x1B@\x1C!\x04倍宽"sv, kFoxLine});
    case IDC_ESCPOS_NORMAL_PRINT:
      return UserText(panel, IDC_ESCPOS_USER_TEXT, config::SettingFrame(kCompressedPrinting, 0x00));
    case IDC_ESCPOS_COMPRESSED_PRINT:
      return UserText(panel, IDC_ESCPOS_USER_TEXT, "\x1B@" + config::SettingFrame(kCompressedPrinting, 0x01));
    case IDC_ESCPOS_BIDIRECTIONAL: return Direction("\x1B@\x1BU\x00"sv);
    case IDC_ESCPOS_UNIDIRECTIONAL: return Direction("\x1B@\x1BU\x01"sv);
    case IDC_ESCPOS_DRAWER: return Runs({"\x1B|r\xF9\x00\x3F\xFF"sv});
    case IDC_ESCPOS_LOW_SPEED: return Speed('\x00');
    case IDC_ESCPOS_NORMAL_SPEED: return Speed('\x01');
    case IDC_ESCPOS_IMAGE: return Image();
    case IDC_ESCPOS_BARCODE: return BarCodes();
    case IDC_ESCPOS_EFFECTS: return EffectsPage();
    default: return std::nullopt;
  }
}
