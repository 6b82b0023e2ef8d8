// A port settings number against strtoull: only digits between blanks and
// within 32 bits make a number; anything else is 0.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check.h"
#include "link/port_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t begin = text.find_first_not_of(" \t");
  std::uint32_t want = 0;
  if (begin != std::string::npos) {
    const std::string digits = text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
    if (digits.find_first_not_of("0123456789") == std::string::npos) {
      errno = 0;
      const unsigned long long value = std::strtoull(digits.c_str(), nullptr, 10);
      if (errno != ERANGE && value <= UINT32_MAX) want = static_cast<std::uint32_t>(value);
    }
  }
  const std::uint32_t got = ParseUnsignedField(text);
  FUZZ_CHECK(got == want, "%u, strtoull gives %u", got, want);
  return 0;
}
