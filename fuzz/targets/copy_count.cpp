// The copy count against strtoll: the leading decimal number, saturated to
// 32 bits, with 0 (or no number) meaning one copy.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "check.h"
#include "panels/field_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const long long read = std::strtoll(text.c_str(), nullptr, 10);
  long long want = read;
  if (want > std::numeric_limits<std::int32_t>::max()) want = std::numeric_limits<std::int32_t>::max();
  if (want < std::numeric_limits<std::int32_t>::min()) want = std::numeric_limits<std::int32_t>::min();
  if (want == 0) want = 1;
  const std::int32_t got = ParseCopyCount(text);
  FUZZ_CHECK(got == want, "count %d, strtoll gives %lld", got, want);
  return 0;
}
