#include "panels/escpos_runs.h"

using namespace std::string_view_literals;

const std::string_view kEscPosEffectsRuns[10] = {
    "\x1B@\x1B!\x00\x1BH\x1Bq\x00这是普通字体效果\n"sv,
    "\x1B@\x1C\x0F这是半角字体效果\n"sv,
    "\x1B@\x1C!\x01这是纵向字体效果\x1C!\x00\n"sv,
    "\x1B@\x1C&\x1C-\x01这是一点下划线效果\n\x1B@\x1C&\x1C-\x02这是2点下划线效果\n\x1C-\x00"sv,
    // No line feed: the next run prints on the same line.
    "\x1C&这里将要打印特殊符号"sv,
    "\x1B@\x1BH这是双重打印效果\n"sv,
    "这是货币符号:＄￡￥￠\n"sv,
    "\x1B@\x1Bq\x01这是空心字体效果\n"sv,
    "\x1B@\x1Bq\x02这是阴影字体效果\n"sv,
    "\x1B@\x1C&\x1C!\x00这是上标字体效果\x1Cr\x00" "1234\n"
    "\x1B@\x1C&\x1C!\x00这是下标字体效果\x1Cr\x01" "1234\n\n\n"sv,
};

// The 00 after ESC SP 32 is part of the stream as the printer expects it.
const std::string_view kEscPosImageHead = "\x1BJ\x18\x1B \x20\x00\x1B*\x20\x28\x00"sv;

std::string EscPosImageColumns() {
  constexpr int kColumns = 40;
  std::string columns;
  for (int c = 0; c < kColumns; ++c) {
    // Vertical lines every fourth column and at the right edge; elsewhere
    // dots on rows 0, 8, 16 and 23.
    const bool solid = c % 4 == 0 || c == kColumns - 1;
    columns += solid ? "\xFF\xFF\xFF"sv : "\x80\x80\x81"sv;
  }
  return columns;
}
