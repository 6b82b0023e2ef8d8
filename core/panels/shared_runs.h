#pragma once

#include <string_view>

// Runs that several command-set test panels send. The bytes are GB2312,
// with GBK where a sign lies outside it.

// ESC @, FS &: initialise, Kanji mode on.
extern const std::string_view kKanjiInit;
// The pangram twice, then a line feed.
extern const std::string_view kFoxLine;
// "文字打印：" and a line of sample signs (焗 is GBK 9F 68).
extern const std::string_view kCharacterSample;
// The second line of kCharacterSample alone.
extern const std::string_view kCharacterSampleLine;
// FS &, the item header of a receipt and eight line feeds.
extern const std::string_view kItemHeaderLine;
// The same item header without FS &.
extern const std::string_view kPlainItemHeaderLine;
// Columns of a downloaded grid image: a solid line and a gap column.
extern const std::string_view kGridColumn;
extern const std::string_view kGridGapColumn;
// The opening paragraph of the Chinese test receipt, from the shop's name
// to "配套或".
extern const std::string_view kReceiptIntro;
