#pragma once

#include "custom/file_reader.h"

// Files opened by path (code page 936) for reading, shared with nobody.
class Win32FileReader : public FileReader {
 public:
  std::unique_ptr<OpenedFile> Open(const std::string& path) override;
};
