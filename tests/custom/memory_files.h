#pragma once

#include <algorithm>
#include <map>
#include <set>

#include "custom/file_reader.h"
#include "support/hex.h"

// Files served from memory.
class MemoryFiles : public FileReader {
 public:
  std::unique_ptr<OpenedFile> Open(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<File>(it->second, unreadable.count(path) > 0);
  }

  std::map<std::string, Bytes> files;
  std::set<std::string> unreadable;  // opened, but every read fails

 private:
  struct File : OpenedFile {
    File(const Bytes& data, bool fails) : data(data), fails(fails) {}
    std::optional<std::size_t> Read(std::uint8_t* buffer, std::size_t capacity) override {
      if (fails) return std::nullopt;
      const std::size_t n = std::min(capacity, data.size() - offset);
      std::copy_n(data.begin() + static_cast<long>(offset), n, buffer);
      offset += n;
      return n;
    }
    const Bytes& data;
    bool fails;
    std::size_t offset = 0;
  };
};
