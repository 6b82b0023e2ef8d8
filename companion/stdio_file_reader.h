#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "custom/file_reader.h"

// Opens the files a panel names (code page 936 paths, as the dialog holds
// them) with the C library.
class StdioFileReader : public FileReader {
 public:
  std::unique_ptr<OpenedFile> Open(const std::string& path) override;
};

// Opens a file named in UTF-8 for reading bytes; nullptr when it cannot.
std::FILE* OpenUtf8ForReading(const std::string& utf8Path);

// The whole of a file named in UTF-8, or of standard input for "-". False,
// with "cannot read NAME: reason" in `error`, when it cannot be opened or
// read (a directory among them).
bool ReadWholeFile(const std::string& utf8Path, std::vector<std::uint8_t>& bytes, std::string& error);
