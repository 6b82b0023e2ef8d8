#include "stdio_file_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "terminal.h"
#include "text/gbk.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// "cannot read NAME: reason" from errno. Windows refuses to open a directory
// as a file with "access denied"; that is said plainly.
std::string CannotRead(const std::string& name) {
  const int error = errno;
  std::error_code ignored;
  if (error == EACCES && std::filesystem::is_directory(std::filesystem::path(std::u8string(name.begin(), name.end())), ignored))
    return "cannot read " + name + ": it is a directory";
  return "cannot read " + name + ": " + std::strerror(error);
}

class StdioFile : public OpenedFile {
 public:
  StdioFile(std::FILE* file, std::string name, const StdioFileReader::FailureSink& onFailure)
      : file_(file), name_(std::move(name)), onFailure_(onFailure) {}
  ~StdioFile() override { std::fclose(file_); }
  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;

  std::optional<std::size_t> Read(std::uint8_t* buffer, std::size_t capacity) override {
    const std::size_t n = std::fread(buffer, 1, capacity, file_);
    if (n == 0 && std::ferror(file_)) {
      if (onFailure_) onFailure_(CannotRead(name_));
      return std::nullopt;
    }
    return n;
  }
  std::optional<std::uint64_t> Size() override {
    const long at = std::ftell(file_);
    if (at < 0 || std::fseek(file_, 0, SEEK_END) != 0) return std::nullopt;
    const long end = std::ftell(file_);
    std::fseek(file_, at, SEEK_SET);
    if (end < 0) return std::nullopt;
    return static_cast<std::uint64_t>(end);
  }

 private:
  std::FILE* file_;
  std::string name_;
  StdioFileReader::FailureSink onFailure_;
};

}  // namespace

std::unique_ptr<OpenedFile> StdioFileReader::Open(const std::string& path) {
  if (path.empty()) return nullptr;  // no file chosen
  return OpenUtf8File(gbk::ToUtf8(path), onFailure_);
}

std::unique_ptr<OpenedFile> OpenUtf8File(const std::string& utf8Path, const StdioFileReader::FailureSink& onFailure) {
  std::FILE* file = OpenUtf8ForReading(utf8Path);
  if (file == nullptr) {
    if (onFailure) onFailure(CannotRead(utf8Path));
    return nullptr;
  }
  return std::make_unique<StdioFile>(file, utf8Path, onFailure);
}

std::FILE* OpenUtf8ForReading(const std::string& utf8) {
#ifdef _WIN32
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
  return _wfopen(wide.c_str(), L"rb");
#else
  return std::fopen(utf8.c_str(), "rb");
#endif
}

bool ReadWholeFile(const std::string& utf8Path, std::vector<std::uint8_t>& bytes, std::string& error) {
  const bool standardInput = utf8Path == "-";
  if (standardInput) SetStdinBinary();
  std::FILE* file = standardInput ? stdin : OpenUtf8ForReading(utf8Path);
  const auto fail = [&] {
    error = CannotRead(standardInput ? std::string("standard input") : utf8Path);
    return false;
  };
  if (file == nullptr) return fail();
  bytes.clear();
  std::uint8_t chunk[65536];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  const bool bad = std::ferror(file) != 0;
  const int readError = errno;
  if (!standardInput) std::fclose(file);
  errno = readError;
  return bad ? fail() : true;
}
