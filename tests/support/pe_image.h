#pragma once
// A reader of what the checks need from a Windows .exe: its resources,
// machine, link time stamp and imported DLLs. Throws BadImage for a file it
// cannot follow.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace pe {

using Bytes = std::vector<std::uint8_t>;

inline std::optional<Bytes> ReadFile(const std::string& path) {
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
    machine_ = U16(pe + 4);
    timeStamp_ = U32(pe + 8);
    importRva_ = U32(dirs + 1 * 8);
    resourceRva_ = U32(dirs + 2 * 8);
    for (std::uint32_t i = 0; i < sections; ++i) {
      const std::uint32_t s = opt + optionalSize + i * 40;
      sections_.push_back({U32(s + 12), std::max(U32(s + 8), U32(s + 16)), U32(s + 20), U32(s + 16)});
    }
    if (resourceRva_ == 0) throw BadImage("no resources");
    resourceBase_ = Offset(resourceRva_, 16);
  }

  std::uint16_t Machine() const { return machine_; }  // 0x14C i386, 0x8664 x86-64
  std::uint32_t TimeStamp() const { return timeStamp_; }

  // The imported DLLs' names as the file spells them.
  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> names;
    if (importRva_ == 0) return names;
    for (std::uint32_t at = Offset(importRva_, 20); U32(at + 12) != 0; at += 20) {
      std::string name;
      for (std::uint32_t c = Offset(U32(at + 12), 1); b_.at(c) != 0; ++c) name += static_cast<char>(b_[c]);
      names.push_back(name);
    }
    return names;
  }

  // The bytes of resource (numbered type, id) in its first language.
  std::optional<Bytes> Resource(std::uint32_t type, std::uint32_t id) const {
    for (const Entry& t : Entries(0)) {
      if (t.named || t.name != type || !t.subdir) continue;
      for (const Entry& name : Entries(t.target)) {
        if (name.named || name.name != id || !name.subdir) continue;
        for (const Entry& lang : Entries(name.target)) {
          if (!lang.subdir) return Data(lang.target);
        }
      }
    }
    return std::nullopt;
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
          out.emplace(Key{typeName, id, lang.name}, Data(lang.target));
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
  Bytes Data(std::uint32_t entryOffset) const {
    const std::uint32_t entry = resourceBase_ + entryOffset;
    const std::uint32_t rva = U32(entry), size = U32(entry + 4);
    const std::uint32_t at = Offset(rva, size);
    return Bytes(b_.begin() + at, b_.begin() + at + size);
  }
  std::u16string Name(std::uint32_t offset) const {
    const std::uint32_t at = resourceBase_ + offset;
    std::u16string s;
    for (std::uint32_t i = 0, n = U16(at); i < n; ++i) s.push_back(static_cast<char16_t>(U16(at + 2 + 2 * i)));
    return s;
  }

  Bytes b_;
  std::vector<Section> sections_;
  std::uint16_t machine_ = 0;
  std::uint32_t timeStamp_ = 0;
  std::uint32_t importRva_ = 0;
  std::uint32_t resourceRva_ = 0;
  std::uint32_t resourceBase_ = 0;
};

}  // namespace pe
