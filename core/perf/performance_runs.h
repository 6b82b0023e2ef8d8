#pragma once

#include <string_view>

#include "panels/command_panel.h"

// Fixed runs of the performance test panel. Texts are GB2312.

// Full lines of 30, 32, 40 and 42 digits.
extern const std::string_view kFullLine30;
extern const std::string_view kFullLine32;
extern const std::string_view kFullLine40;
extern const std::string_view kFullLine42;
// "北京奥运会", a lone lead byte BB and a line feed.
extern const std::string_view kOlympicLine;

// The printable ASCII run (95 bytes, each byte ending in hex digit 8
// replaced by the one before it) written 30 times.
Transmission SpeedTest();

// A line, then a line feed of its own when asked for.
Transmission LineTest(std::string_view line, bool addLineFeed);

// Head alignment: ESC 2, the test's title and a line feed, then 60
// box-drawing rules (rows) or bars (columns) printed in one direction, or
// 30 pairs, the second printed after a reverse feed.
enum class AlignmentTest { RowsSame, RowsOpposite, ColumnsSame, ColumnsOpposite };
Transmission Alignment(AlignmentTest test);
