// The hexadecimal amount against strtoull: the low byte of the leading
// hexadecimal number (a minus sign negates it), 0 without one.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "check.h"
#include "panels/field_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::uint8_t got = ParseHexByte(text);
  const std::optional<std::uint32_t> number = ScanHexNumber(text);
  errno = 0;
  char* end = nullptr;
  const unsigned long long read = std::strtoull(text.c_str(), &end, 16);
  const bool found = end != text.c_str();
  FUZZ_CHECK(number.has_value() == found, "number found: %d, strtoull: %d", number.has_value(), found);
  FUZZ_CHECK(got == (number ? (*number & 0xFF) : 0), "byte %02X", got);
  if (errno != ERANGE) {  // beyond 64 bits strtoull saturates instead of wrapping
    FUZZ_CHECK(number.value_or(0) == static_cast<std::uint32_t>(read), "number %X, strtoull %llX", number.value_or(0), read);
  }
  return 0;
}
