#include "panels/star18_pages.h"

#include <initializer_list>
#include <string_view>

using namespace std::string_view_literals;

// Hexadecimal escapes are closed off ("\x1B" "a") wherever a hex digit
// follows them.

namespace {

void Append(std::string& page, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) page += piece;
}

// "  1" to "  17", one line each: a page of 18 lines runs over its end.
std::string NumberedLines() {
  std::string lines;
  for (int n = 1; n <= 17; ++n) lines += "  " + std::to_string(n) + "\n";
  return lines;
}

}  // namespace

std::string FeedPage() {
  struct Spacing {
    std::string_view command;
    std::string_view inches;
  };
  static constexpr Spacing kSpacings[] = {
      {"\x1B" "0"sv, "1/8"sv},           // ESC 0
      {"\x1B" "1"sv, "7/72"sv},          // ESC 1
      {"\x1Bz\x00"sv, "1/12"sv},         // ESC z 0
      {"\x1Bz\x01"sv, "1/6"sv},          // ESC z 1
      {"\x1B" "A\x04\x1B" "2"sv, "1/18"sv},  // ESC A 4, ESC 2
      {"\x1B" "3\x36"sv, "1/4"sv},       // ESC 3 54
      {"\x1By\x48"sv, "1/2"sv},          // ESC y 72
  };
  std::string page;
  // Each section announces six lines: ESC a 4 feeds four, two line feeds follow.
  for (const Spacing& s : kSpacings)
    Append(page, {"\x1B@"sv, s.command, "------"sv, s.inches, "行间距：\n------"sv, s.inches,
                  "行间距\n走纸6行\x1B" "a\x04\n\n"sv});
  Append(page, {"\x1B@\x1BI\x12-------\n----向前走了1/8英寸\n"sv,  // ESC I 18
                "\x1B@\x1BJ\x24------向前走了1/2行间距\n\n\n"sv});  // ESC J 36
  return page;
}

std::string FontPage() {
  return std::string(
      "\x1B@\x1B/\x01斜线零：0 \x1B/\x00 空心零：0\n\n"  // slashed zero on, off
      "\x1B@\x1BP 5*9字体(2P-1)\n"
      "\x1B: 5*9字体(3P-1) \n"
      "\x1BM 7*9字体 \n\n "
      "\x1B@\x1B \x0F每个字体右侧空白 \x1B \x00\n\n"  // right-side spacing 15, then 0
      "\x1B@\x1BW\x01字体倍宽ABCD56789 \x1BW\x00\n\n"
      "\x1B@\x1Bh\x01字体倍高ABCD56789 \x1Bh\x00\n\n"
      "\x1B@\x1B" "E 字体加重ABCD56789 \x1B" "F\n\n"
      "\x1B@\x1B_\x01上划线ABCD56789 \x1B_\x00\n\n"
      "\x1B@\x1B-\x01下划线ABCD56789 \x1B-\x00\n\n"
      "\x1B@\x1B\x1Ei\x01 270度翻卷 \x1B\x1Ei\x00\n\n"sv);
}

std::string PageLayoutPage() {
  std::string page(
      "\x1B@\x1B" "B\x01\x07\x0F\x1C\x00\x0B垂\x0B直\x0B制\x0B表\n"  // vertical tabs
      "\x1B@\x1B" "B\x00清除垂直制表\n"
      "\x1B@\x1B" "D\x01\x07\x0F\x1C\x00\t水\t平\t制\t表\n"  // horizontal tabs
      "\x1B@\x1B" "D\x00清除水平制表\n\n"
      "\x1B@\x1B\x1D" "a\x02右边打印\n\x1B\x1D" "a\x01居中打印\n\x1B\x1D" "a\x00左边打印\n\n\n\n"
      "\x1B@可打印区域：200点\n\x1B\x1E" "A\x02\x1Bl\x60\x1BQ\xC0----打印区域：中间一小段----\n\n\n"
      "\x1B@\x1B" "C\x00\x04定义页长4英寸(约10cm)然后换页\x0C\n"
      "\x1B@\x1B" "C\x12页长18行(约75mm),无页底 \n"sv);
  page += NumberedLines();
  page += "\x1B@\x1B" "C\x12\x1BN\x03页长18行,页底3行(约12mm)\n";
  page += NumberedLines();
  page += "\x1BO";  // cancel the bottom margin
  return page;
}

std::vector<std::string> DrawerPages() {
  return {"\x1B@弹钱箱1：\n\n\n\x1B\x07\x10\x7F\x07",  // pulse width of drawer 1, then BEL
          "\x1B@弹钱箱2：\n\n\n\x19"};                 // EM: drawer 2
}

std::string CutPage() {
  // Each caption, a feed of 72 units (ESC J), then ESC d m.
  return std::string(
      "\x1B@打印完立即全切：\x1BJ\x48\x1B" "d\x00"
      "\x1B@打印完立即半切：\x1BJ\x48\x1B" "d\x01"
      "\x1B@打印完走纸25mm,然后全切：\x1BJ\x48\x1B" "d\x02"
      "\x1B@打印完走纸30mm,然后半切：\x1BJ\x48\x1B" "d\x03"sv);
}

std::string BitImagePage() {
  struct Image {
    std::string_view caption;
    std::string_view head;
    int bytesPerColumn;
  };
  static constexpr Image kImages[] = {
      {"双密度位图打印:"sv, "\x1BL\x19\x00"sv, 1},
      {"单密度位图打印:"sv, "\x1BK\x19\x00"sv, 1},
      {"9针单密度位图打印:"sv, "\x1B^\x01\x19\x00"sv, 2},
      {"9针双密度位图打印:"sv, "\x1B^\x00\x19\x00"sv, 2},
      {"16针单密度位图打印:"sv, "\x1B^\x02\x19\x00"sv, 2},
      {"16针双密度位图打印:"sv, "\x1B^\x03\x19\x00"sv, 2},
      {"18针单密度位图打印:"sv, "\x1B^\x04\x19\x00"sv, 3},
      {"18针双密度位图打印:"sv, "\x1B^\x05\x19\x00"sv, 3},
  };
  constexpr int kColumns = 25;
  std::string page = "\x1B@";
  for (const Image& image : kImages) {
    Append(page, {image.caption, "\n\n"sv, image.head});
    // Vertical lines every sixth column for one byte a column, every fifth
    // otherwise, and at the last column; 89 draws three horizontal lines.
    const int spacing = image.bytesPerColumn == 1 ? 6 : 5;
    for (int column = 0; column < kColumns; ++column) {
      const bool line = column % spacing == 0 || column == kColumns - 1;
      page.append(static_cast<std::size_t>(image.bytesPerColumn), line ? '\xFF' : '\x89');
    }
    page += "\n\n";
  }
  return page;
}

std::string BlackMarkPage() {
  // ESC GS ( F: print start 170 units and cut position 222 units after the mark.
  return std::string(
      "\x1B@走纸到黑标3CM处：\n\x1B\x1D(F\x04\x00\x01\x00\xAA\x00\x0C"
      "\x1B@黑标处切纸：\x1B\x1D(F\x04\x00\x02\x00\xDE\x00\x1B" "d\x00"sv);
}
