#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The command bytes of a hexadecimal text typed without separators: the
// first 499 characters are taken two at a time from the start, an odd last
// character is ignored, and each pair gives the low byte of the number it
// starts with ("1b" gives 1B, "-1" FF, "A " 0A). A pair that holds no
// number, such as the CR LF of a line break, gives no byte.
std::vector<std::uint8_t> ParseHexPairs(std::string_view text);
