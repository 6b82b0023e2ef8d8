#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "custom/file_reader.h"

// Opens the files a panel names (code page 936 paths, as the dialog holds
// them) with the C library. A named file that cannot be opened or read (a
// directory among them) is told to `onFailure` as "cannot read PATH:
// reason"; an empty path names no file.
class StdioFileReader : public FileReader {
 public:
  using FailureSink = std::function<void(const std::string& reason)>;
  explicit StdioFileReader(FailureSink onFailure = nullptr) : onFailure_(std::move(onFailure)) {}
  std::unique_ptr<OpenedFile> Open(const std::string& path) override;

 private:
  FailureSink onFailure_;
};

// A file named in UTF-8 opened for reading; nullptr when it cannot be. A
// failure to open or read it is told to `onFailure` (when given).
std::unique_ptr<OpenedFile> OpenUtf8File(const std::string& utf8Path, const StdioFileReader::FailureSink& onFailure);

// Opens a file named in UTF-8 for reading bytes; nullptr when it cannot.
std::FILE* OpenUtf8ForReading(const std::string& utf8Path);

// The whole of a file named in UTF-8, or of standard input for "-". False,
// with "cannot read NAME: reason" in `error`, when it cannot be opened or
// read (a directory among them).
bool ReadWholeFile(const std::string& utf8Path, std::vector<std::uint8_t>& bytes, std::string& error);
