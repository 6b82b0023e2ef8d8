#pragma once

#include <string_view>

class Panel;

namespace config {

// A decimal number at the start of a text: white space, an optional sign,
// digits with an optional point and fraction, an optional exponent. Reading
// stops at the first character that does not fit; no digits give 0.
// Hexadecimal, "inf" and "nan" are not numbers here.
double ParseDecimal(std::string_view text);

// A millimetre entry: the edit's whole text read by ParseDecimal and
// narrowed to single precision.
float ReadDistanceEntry(Panel& panel, int editId);

}  // namespace config
