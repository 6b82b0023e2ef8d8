#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A user's file opened for reading.
class OpenedFile {
 public:
  virtual ~OpenedFile() = default;
  // Reads the next bytes, at most `capacity`: the count read (0 at the
  // end), or nothing when the read fails.
  virtual std::optional<std::size_t> Read(std::uint8_t* buffer, std::size_t capacity) = 0;
  // The file's size when it is known, for progress.
  virtual std::optional<std::uint64_t> Size() { return std::nullopt; }
};

// Opens the files a user chooses; tests serve them from memory.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Nothing when the path names no file that can be opened for reading.
  virtual std::unique_ptr<OpenedFile> Open(const std::string& path) = 0;
};
