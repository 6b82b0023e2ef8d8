// Compares the stored print jobs embedded in a built Windows program with
// the generator's files.
//
//   check_embedded_jobs <program.exe> <dir with <id>.bin>
//
// Every job id must be embedded exactly once as a TEXT_FILE resource of
// language 2052 whose bytes equal <dir>/<id>.bin; no other TEXT_FILE
// resource may exist. Exit status: 0 all equal, 1 mismatch, 2 unreadable.
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "pe_image.h"

namespace {

using pe::BadImage;
using pe::Bytes;
using pe::PeImage;
using pe::ReadFile;

constexpr int kJobIds[] = {158, 162, 164, 166, 168, 170, 171, 174, 175, 176,
                           177, 178, 193, 232, 233, 234, 235, 236, 237, 238};
constexpr std::uint32_t kChinesePrc = 2052;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <program.exe> <generated jobs dir>\n", argv[0]);
    return 2;
  }
  std::optional<Bytes> image = ReadFile(argv[1]);
  if (!image) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  std::multimap<PeImage::Key, Bytes> resources;
  try {
    resources = PeImage(std::move(*image)).NamedTypeResources();
  } catch (const BadImage& e) {
    std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
    return 2;
  }

  int failures = 0;
  std::map<std::uint32_t, bool> expected;
  for (int id : kJobIds) expected[static_cast<std::uint32_t>(id)] = true;

  for (const auto& [key, bytes] : resources) {
    if (key.type != u"TEXT_FILE") continue;
    if (!expected.count(key.id) || key.language != kChinesePrc) {
      std::printf("unexpected TEXT_FILE resource %u, language %u (%zu bytes)\n", key.id,
                  key.language, bytes.size());
      ++failures;
    }
  }
  for (int id : kJobIds) {
    const std::string file = std::string(argv[2]) + "/" + std::to_string(id) + ".bin";
    const std::optional<Bytes> want = ReadFile(file);
    if (!want) {
      std::printf("%d: cannot read %s\n", id, file.c_str());
      ++failures;
      continue;
    }
    const auto range = resources.equal_range({u"TEXT_FILE", static_cast<std::uint32_t>(id), kChinesePrc});
    const auto found = std::distance(range.first, range.second);
    if (found != 1) {
      std::printf("%d: embedded %td times\n", id, found);
      ++failures;
      continue;
    }
    const Bytes& got = range.first->second;
    if (got != *want) {
      std::size_t at = 0;
      while (at < got.size() && at < want->size() && got[at] == (*want)[at]) ++at;
      std::printf("%d: differs from %s at byte %zu (embedded %zu bytes, file %zu bytes)\n", id,
                  file.c_str(), at, got.size(), want->size());
      ++failures;
      continue;
    }
    std::printf("%d: %zu bytes equal\n", id, got.size());
  }
  if (failures) std::printf("%d mismatch(es)\n", failures);
  return failures ? 1 : 0;
}
