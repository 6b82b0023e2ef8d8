// Compares the stored print jobs embedded in a built Windows program with
// the generator's files.
//
//   check_embedded_jobs <program.exe> <dir with <id>.bin>
//
// Every job id must be embedded exactly once as a TEXT_FILE resource of
// language 2052 whose bytes equal <dir>/<id>.bin; no other TEXT_FILE
// resource may exist. Exit status: 0 all equal, 1 mismatch, 2 unreadable.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kJobIds[] = {158, 162, 164, 166, 168, 170, 171, 174, 175, 176,
                           177, 178, 193, 232, 233, 234, 235, 236, 237, 238};
constexpr std::uint32_t kChinesePrc = 2052;

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct BadImage : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class PeImage {
 public:
  explicit PeImage(Bytes bytes) : b_(std::move(bytes)) {
    if (U16(0) != 0x5A4D) throw BadImage("no MZ header");
    const std::uint32_t pe = U32(0x3C);
    if (U32(pe) != 0x00004550) throw BadImage("no PE signature");
    const std::uint32_t sections = U16(pe + 6);
    const std::uint32_t optionalSize = U16(pe + 20);
    const std::uint32_t opt = pe + 24;
    const std::uint16_t magic = U16(opt);
    std::uint32_t dirs;
    if (magic == 0x10B)
      dirs = opt + 96;  // PE32
    else if (magic == 0x20B)
      dirs = opt + 112;  // PE32+
    else
      throw BadImage("unknown optional header");
    if (U32(dirs - 4) <= 2) throw BadImage("no resource directory entry");
    resourceRva_ = U32(dirs + 2 * 8);
    for (std::uint32_t i = 0; i < sections; ++i) {
      const std::uint32_t s = opt + optionalSize + i * 40;
      sections_.push_back({U32(s + 12), std::max(U32(s + 8), U32(s + 16)), U32(s + 20), U32(s + 16)});
    }
    if (resourceRva_ == 0) throw BadImage("no resources");
    resourceBase_ = Offset(resourceRva_, 16);
  }

  // (type name, id, language) -> bytes, for resources whose type is named.
  struct Key {
    std::u16string type;
    std::uint32_t id;
    std::uint32_t language;
    bool operator<(const Key& o) const {
      return std::tie(type, id, language) < std::tie(o.type, o.id, o.language);
    }
  };
  std::multimap<Key, Bytes> NamedTypeResources() const {
    std::multimap<Key, Bytes> out;
    for (const Entry& type : Entries(0)) {
      if (!type.named || !type.subdir) continue;
      const std::u16string typeName = Name(type.name);
      for (const Entry& name : Entries(type.target)) {
        if (!name.subdir) throw BadImage("resource name without language level");
        // Named (non-numeric) resources get id 0, which is never a job id.
        const std::uint32_t id = name.named ? 0 : name.name;
        for (const Entry& lang : Entries(name.target)) {
          if (lang.subdir) throw BadImage("nested language level");
          const std::uint32_t entry = resourceBase_ + lang.target;
          const std::uint32_t rva = U32(entry), size = U32(entry + 4);
          const std::uint32_t at = Offset(rva, size);
          out.emplace(Key{typeName, id, lang.name}, Bytes(b_.begin() + at, b_.begin() + at + size));
        }
      }
    }
    return out;
  }

 private:
  struct Section {
    std::uint32_t rva, virtualSize, fileOffset, rawSize;
  };
  struct Entry {
    bool named, subdir;
    std::uint32_t name, target;  // name: id or string offset; target: offset in .rsrc
  };

  void Need(std::uint64_t at, std::uint64_t count) const {
    if (at + count > b_.size()) throw BadImage("truncated image");
  }
  std::uint16_t U16(std::uint32_t at) const {
    Need(at, 2);
    return static_cast<std::uint16_t>(b_[at] | b_[at + 1] << 8);
  }
  std::uint32_t U32(std::uint32_t at) const {
    Need(at, 4);
    return static_cast<std::uint32_t>(b_[at] | b_[at + 1] << 8 | b_[at + 2] << 16) |
           static_cast<std::uint32_t>(b_[at + 3]) << 24;
  }
  std::uint32_t Offset(std::uint32_t rva, std::uint32_t size) const {
    for (const Section& s : sections_) {
      if (rva >= s.rva && std::uint64_t{rva} + size <= std::uint64_t{s.rva} + s.rawSize) {
        Need(s.fileOffset + (rva - s.rva), size);
        return s.fileOffset + (rva - s.rva);
      }
    }
    throw BadImage("address outside the file's sections");
  }
  std::vector<Entry> Entries(std::uint32_t dir) const {
    const std::uint32_t at = resourceBase_ + dir;
    const std::uint32_t count = U16(at + 12) + U16(at + 14);
    std::vector<Entry> out;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t name = U32(at + 16 + i * 8), target = U32(at + 20 + i * 8);
      out.push_back({(name & 0x80000000u) != 0, (target & 0x80000000u) != 0, name & 0x7FFFFFFFu,
                     target & 0x7FFFFFFFu});
    }
    return out;
  }
  std::u16string Name(std::uint32_t offset) const {
    const std::uint32_t at = resourceBase_ + offset;
    std::u16string s;
    for (std::uint32_t i = 0, n = U16(at); i < n; ++i) s.push_back(static_cast<char16_t>(U16(at + 2 + 2 * i)));
    return s;
  }

  Bytes b_;
  std::vector<Section> sections_;
  std::uint32_t resourceRva_ = 0;
  std::uint32_t resourceBase_ = 0;
};

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
