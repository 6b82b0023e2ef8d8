#include "custom/win32_file_reader.h"

#include <windows.h>

#include "ui/codepage.h"

namespace {

class Win32File : public OpenedFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { CloseHandle(handle_); }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  std::optional<std::size_t> Read(std::uint8_t* buffer, std::size_t capacity) override {
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(capacity), &read, nullptr)) return std::nullopt;
    return read;
  }
  std::optional<std::uint64_t> Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<OpenedFile> Win32FileReader::Open(const std::string& path) {
  HANDLE file = CreateFileW(WideFromGbk(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}
