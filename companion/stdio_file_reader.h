#pragma once

#include "custom/file_reader.h"

// Opens the files a panel names (code page 936 paths, as the dialog holds
// them) with the C library.
class StdioFileReader : public FileReader {
 public:
  std::unique_ptr<OpenedFile> Open(const std::string& path) override;
};
