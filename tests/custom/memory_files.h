#pragma once

#include <algorithm>
#include <map>
#include <set>

#include "custom/file_reader.h"
#include "support/hex.h"

// Files served from memory; each read is recorded by its size.
class MemoryFiles : public FileReader {
 public:
  std::unique_ptr<OpenedFile> Open(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<File>(*this, it->second, unreadable.count(path) > 0);
  }

  std::map<std::string, Bytes> files;
  std::set<std::string> unreadable;  // opened, but every read fails
  std::vector<std::size_t> readSizes;

 private:
  class File : public OpenedFile {
   public:
    File(MemoryFiles& owner, const Bytes& data, bool fails) : owner_(owner), data_(data), fails_(fails) {}
    std::optional<std::size_t> Read(std::uint8_t* buffer, std::size_t capacity) override {
      if (fails_) return std::nullopt;
      const std::size_t n = std::min(capacity, data_.size() - offset_);
      std::copy_n(data_.begin() + static_cast<long>(offset_), n, buffer);
      offset_ += n;
      owner_.readSizes.push_back(n);
      return n;
    }

   private:
    MemoryFiles& owner_;
    const Bytes& data_;
    bool fails_;
    std::size_t offset_ = 0;
  };
};
