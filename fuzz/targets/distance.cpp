// The distance entry against strtod on the longest decimal prefix: strtod
// also reads hexadecimal, "inf" and "nan", whose decimal prefix is the "0"
// of "0x" (with its sign) or nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "config/distance_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  char* end = nullptr;
  double want = std::strtod(text.c_str(), &end);
  const std::string_view used(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
  if (used.find_first_of("xX") != std::string_view::npos) {
    const std::size_t sign = used.find_first_not_of(" \t\n\v\f\r");
    want = used[sign] == '-' ? -0.0 : 0.0;
  } else if (used.find_first_of("iInN") != std::string_view::npos) {
    want = 0.0;
  }
  const double got = config::ParseDecimal(text);
  FUZZ_CHECK(std::memcmp(&got, &want, sizeof got) == 0, "%.17g, strtod gives %.17g", got, want);
  return 0;
}
