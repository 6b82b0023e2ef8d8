// The stream decoder of one command set (FUZZ_SET): its items cover the
// stream in order without gaps, only the last one can be truncated, data
// lies inside its item, and every item can be described.
#include <cstdint>
#include <span>

#include "check.h"
#include "preview/decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> stream(data, size);
  const preview::Decoding d = preview::Decode(stream, preview::CommandSet::FUZZ_SET);
  std::size_t at = 0;
  int unknown = 0;
  for (std::size_t i = 0; i < d.items.size(); ++i) {
    const preview::Item& item = d.items[i];
    FUZZ_CHECK(item.offset == at && item.length > 0 && item.length <= size - at, "item %zu at %zu", i, item.offset);
    if (item.kind == preview::Item::Command) {
      FUZZ_CHECK(item.dataAt >= item.offset && item.dataLength <= item.offset + item.length - item.dataAt,
                 "data of item %zu", i);
    }
    FUZZ_CHECK(item.kind != preview::Item::Truncated || i + 1 == d.items.size(), "truncated item %zu inside", i);
    unknown += item.kind == preview::Item::Unknown;
    at += item.length;
    (void)preview::DescribeItem(item, stream);
  }
  FUZZ_CHECK(at == size, "items end at %zu of %zu", at, size);
  FUZZ_CHECK(unknown == d.unknown, "%d unknown items counted as %d", unknown, d.unknown);
  FUZZ_CHECK(d.truncated == (!d.items.empty() && d.items.back().kind == preview::Item::Truncated), "truncated flag");
  return 0;
}
