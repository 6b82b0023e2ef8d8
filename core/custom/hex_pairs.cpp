#include "custom/hex_pairs.h"

#include "panels/field_readers.h"

namespace {
constexpr std::size_t kTextLimit = 499;
}

std::vector<std::uint8_t> ParseHexPairs(std::string_view text) {
  text = text.substr(0, kTextLimit);
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    if (std::optional<std::uint32_t> number = ScanHexNumber(text.substr(i, 2)))
      bytes.push_back(static_cast<std::uint8_t>(*number & 0xFF));
  return bytes;
}
