#include "config/distance_entry.h"

#include <charconv>
#include <cmath>
#include <string>

#include "ui/panel.h"

namespace config {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// When from_chars finds the value beyond double's range: an overflow if the
// first significant digit stands at a positive power of ten, else an underflow.
double OutOfRange(std::string_view number, bool negative) {
  const std::size_t ePos = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, ePos);
  long long exponent = 0;
  if (ePos != std::string_view::npos) {
    std::size_t i = ePos + 1;
    const bool expNegative = number[i] == '-';
    if (number[i] == '+' || number[i] == '-') ++i;
    for (; i < number.size(); ++i)
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
    if (expNegative) exponent = -exponent;
  }
  const std::size_t point = mantissa.find('.');
  const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return negative ? -0.0 : 0.0;
  const long long position = first < integerDigits ? static_cast<long long>(integerDigits - first)
                                                   : -static_cast<long long>(first - integerDigits - 1);
  const double magnitude = position + exponent > 0 ? HUGE_VAL : 0.0;
  return negative ? -magnitude : magnitude;
}

}  // namespace

double ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const std::size_t start = i;
  std::size_t end = SkipDigits(text, i);
  bool digits = end > start;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, end + 1);
    digits = digits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!digits) return 0.0;
  // An exponent counts only when at least one digit follows its sign.
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t j = end + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expEnd = SkipDigits(text, j);
    if (expEnd > j) end = expEnd;
  }

  // The number is now plain decimal syntax, which from_chars rounds
  // correctly and alike on every platform.
  const std::string_view number = text.substr(start, end - start);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) return OutOfRange(number, negative);
  return negative ? -value : value;
}

float ReadDistanceEntry(Panel& panel, int editId) {
  return static_cast<float>(ParseDecimal(panel.ItemText(editId)));
}

}  // namespace config
