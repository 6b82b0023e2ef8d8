// The user text cut: the longest prefix within the limit that ends on a
// whole sign, signs being a lead byte 81-FE with the byte after it, or one
// byte. The first two input bytes give the limit.
#include <cstdint>
#include <string>

#include "check.h"
#include "panels/field_readers.h"

namespace {
std::size_t SignWidth(const std::string& text, std::size_t at) {
  const auto b = static_cast<unsigned char>(text[at]);
  return b >= 0x81 && b <= 0xFE ? 2 : 1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t limit = data[0] | data[1] << 8;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string cut = CutGbk(text, limit);
  FUZZ_CHECK(cut.size() <= limit, "%zu bytes kept, limit %zu", cut.size(), limit);
  FUZZ_CHECK(text.compare(0, cut.size(), cut) == 0, "not a prefix");
  std::size_t at = 0;
  while (at < cut.size()) at += SignWidth(text, at);
  FUZZ_CHECK(at == cut.size(), "the cut at %zu splits a sign", cut.size());
  if (cut.size() < text.size()) {
    const std::size_t next = cut.size() + SignWidth(text, cut.size());
    FUZZ_CHECK(next > limit || next > text.size(), "the sign at %zu would still fit", cut.size());
  }
  return 0;
}
