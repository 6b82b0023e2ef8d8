#pragma once

#include <memory>
#include <string>

#include "custom/file_reader.h"

// A file reader for panels whose tests open no user file.
struct NoFiles : FileReader {
  std::unique_ptr<OpenedFile> Open(const std::string&) override { return nullptr; }
};
