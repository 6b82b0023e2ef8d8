// The custom command's hexadecimal pairs against strtoul on each pair of the
// first 499 characters: a pair where strtoul reads a number gives its low
// byte, any other pair nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "check.h"
#include "custom/hex_pairs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::uint8_t> want;
  const std::string typed = text.substr(0, 499);
  for (std::size_t i = 0; i + 2 <= typed.size(); i += 2) {
    const std::string pair = typed.substr(i, 2);
    char* end = nullptr;
    const unsigned long value = std::strtoul(pair.c_str(), &end, 16);
    if (end != pair.c_str()) want.push_back(static_cast<std::uint8_t>(value & 0xFF));
  }
  const std::vector<std::uint8_t> got = ParseHexPairs(text);
  FUZZ_CHECK(got == want, "%zu bytes, strtoul gives %zu", got.size(), want.size());
  return 0;
}
