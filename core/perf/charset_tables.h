#pragma once

#include <string_view>

// Character-set sample pages. Each is ESC @ followed by two-byte character
// codes with no separators; the printer wraps the lines itself. Panels send
// a table whole in one write.

// 4,862 bytes: row A3 (full-width ASCII) and rows B0 to F8 (32 codes each).
std::string_view Gb2312Table();
// 1,850 bytes: 924 characters of the GBK two-byte range.
std::string_view Gb18030Table();
