// Targets on Windows: COMn, LPTn, the USB printers the program finds, files, TCP.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/win32_port_driver.h"
#include "sink.h"

namespace {

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out;
  if (text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    out.assign(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    LocalFree(text);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.')) out.pop_back();
  return out.empty() ? "error " + std::to_string(code) : out;
}

std::wstring Wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), size);
  out.resize(out.size() - 1);
  return out;
}

// A file, a port or a printer device written through one handle.
class HandleSink : public Sink {
 public:
  enum class Kind { File, Serial, Device, Usb };
  HandleSink(std::string name, std::wstring path, Kind kind) : name_(std::move(name)), path_(std::move(path)), kind_(kind) {}
  ~HandleSink() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool IsSerial() const override { return kind_ == Kind::Serial; }
  bool IsUsb() const override { return kind_ == Kind::Usb; }

  bool Open(const LineSettings& line, std::string& error) override {
    if (handle_ != INVALID_HANDLE_VALUE) return true;
    const DWORD creation = kind_ == Kind::File ? CREATE_ALWAYS : OPEN_EXISTING;
    handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, kind_ == Kind::Usb ? FILE_SHARE_READ : 0, nullptr, creation,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      error = "cannot open " + name_ + ": " + SystemMessage(GetLastError());
      return false;
    }
    if (kind_ == Kind::Serial && !ApplyLine(line, error)) {
      CloseHandle(handle_);
      handle_ = INVALID_HANDLE_VALUE;
      return false;
    }
    return true;
  }

  bool Write(const std::uint8_t* bytes, std::size_t count, std::string& error) override {
    while (count > 0) {
      DWORD written = 0;
      if (!WriteFile(handle_, bytes, static_cast<DWORD>(count), &written, nullptr) || written == 0) {
        error = "writing to " + name_ + " failed: " + SystemMessage(GetLastError());
        return false;
      }
      bytes += written;
      count -= written;
    }
    return true;
  }

  bool Finish(std::string& error) override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    if (kind_ == Kind::Serial) FlushFileBuffers(handle_);
    const bool closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed) error = "closing " + name_ + " failed: " + SystemMessage(GetLastError());
    return closed;
  }

 private:
  bool ApplyLine(const LineSettings& line, std::string& error) {
    COMMTIMEOUTS timeouts{};  // writes wait until the driver has taken every byte
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!SetCommTimeouts(handle_, &timeouts) || !GetCommState(handle_, &dcb)) {
      error = name_ + " is not a serial port: " + SystemMessage(GetLastError());
      return false;
    }
    dcb.BaudRate = line.baudRate;
    dcb.ByteSize = line.byteSize;
    dcb.Parity = line.parityCode;
    dcb.StopBits = line.stopBitsCode;
    dcb.fDtrControl = line.dtrEnabled ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutX = FALSE;
    if (!SetCommState(handle_, &dcb)) {
      error = name_ + " refuses the line settings: " + SystemMessage(GetLastError());
      return false;
    }
    return true;
  }

  std::string name_;
  std::wstring path_;
  Kind kind_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class TcpSink : public Sink {
 public:
  TcpSink(std::string host, std::string port, int timeoutSeconds)
      : host_(std::move(host)), port_(std::move(port)), timeoutMs_(timeoutSeconds * 1000) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~TcpSink() override {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    if (started_) WSACleanup();
  }

  bool Open(const LineSettings&, std::string& error) override {
    if (socket_ != INVALID_SOCKET) return true;
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host_.c_str(), port_.c_str(), &hints, &found) != 0) {
      error = "cannot find " + host_ + ": " + SystemMessage(static_cast<DWORD>(WSAGetLastError()));
      return false;
    }
    std::string last = "no address";
    for (addrinfo* a = found; a && socket_ == INVALID_SOCKET; a = a->ai_next) Connect(a, last);
    freeaddrinfo(found);
    if (socket_ == INVALID_SOCKET) error = "cannot connect to " + Name() + ": " + last;
    return socket_ != INVALID_SOCKET;
  }

  bool Write(const std::uint8_t* bytes, std::size_t count, std::string& error) override {
    while (count > 0) {
      const int n = send(socket_, reinterpret_cast<const char*>(bytes), static_cast<int>(count), 0);
      if (n > 0) {
        bytes += n;
        count -= static_cast<std::size_t>(n);
        continue;
      }
      if (WSAGetLastError() != WSAEWOULDBLOCK) {
        error = "writing to " + Name() + " failed: " + SystemMessage(static_cast<DWORD>(WSAGetLastError()));
        return false;
      }
      if (!Wait(error)) return false;
    }
    return true;
  }

  // Closing waits, up to the time-out, until the printer has every byte.
  bool Finish(std::string& error) override {
    if (socket_ == INVALID_SOCKET) return true;
    u_long blocking = 0;
    ioctlsocket(socket_, FIONBIO, &blocking);
    linger wait{1, static_cast<u_short>(timeoutMs_ / 1000)};
    setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&wait), sizeof wait);
    shutdown(socket_, SD_SEND);
    const bool closed = closesocket(socket_) == 0;
    socket_ = INVALID_SOCKET;
    if (!closed) error = Name() + " did not take all data: " + SystemMessage(static_cast<DWORD>(WSAGetLastError()));
    return closed;
  }

 private:
  std::string Name() const { return host_ + ":" + port_; }

  bool Wait(std::string& error) {
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(socket_, &writable);
    timeval limit{timeoutMs_ / 1000, (timeoutMs_ % 1000) * 1000};
    if (select(0, nullptr, &writable, nullptr, &limit) == 1) return true;
    error = Name() + " took no data for " + std::to_string(timeoutMs_ / 1000) + " s";
    return false;
  }

  void Connect(const addrinfo* a, std::string& last) {
    SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) {
      last = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
      return;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
      last = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
      closesocket(s);
      return;
    }
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval limit{timeoutMs_ / 1000, (timeoutMs_ % 1000) * 1000};
    const int ready = select(0, nullptr, &writable, &failed, &limit);
    int soError = 0;
    int length = sizeof soError;
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length);
    if (ready == 0) {
      last = "no answer within " + std::to_string(timeoutMs_ / 1000) + " s";
    } else if (ready < 0 || FD_ISSET(s, &failed) || soError != 0) {
      last = SystemMessage(static_cast<DWORD>(soError ? soError : WSAGetLastError()));
    } else {
      socket_ = s;
      return;
    }
    closesocket(s);
  }

  std::string host_, port_;
  int timeoutMs_;
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
};

// "COM3" -> 3 for prefix "COM"; 0 when the name is not one.
int PortNumber(const std::string& name, const char* prefix) {
  const std::size_t n = std::char_traits<char>::length(prefix);
  if (name.size() <= n || name.size() > n + 3) return 0;
  for (std::size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return 0;
  for (std::size_t i = n; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
  return std::stoi(name.substr(n));
}

}  // namespace

std::unique_ptr<Sink> MakeSink(const std::string& target, const TargetOptions& options, std::string& error) {
  std::string host, port;
  if (ParseTcpTarget(target, host, port, error))
    return host.empty() ? nullptr : std::make_unique<TcpSink>(host, port, options.timeoutSeconds);
  if (target.empty()) {
    error = "no target given";
    return nullptr;
  }
  if (const int n = PortNumber(target, "COM"))
    return std::make_unique<HandleSink>(target, L"\\\\.\\COM" + std::to_wstring(n), HandleSink::Kind::Serial);
  if (const int n = PortNumber(target, "LPT"))
    return std::make_unique<HandleSink>(target, L"\\\\.\\LPT" + std::to_wstring(n), HandleSink::Kind::Device);
  if (target == "usb" || target.rfind("usb:", 0) == 0) {
    // The printers as the program lists them; "usb:2" is the second.
    const std::vector<std::string> printers = Win32PortDriver().ListUsbPrinters();
    const std::size_t index = target == "usb" ? 0 : static_cast<std::size_t>(std::atoi(target.c_str() + 4)) - 1;
    if (index >= printers.size()) {
      error = printers.empty() ? "no USB printer found" : "there are " + std::to_string(printers.size()) + " USB printers";
      return nullptr;
    }
    return std::make_unique<HandleSink>(target, Wide(printers[index]), HandleSink::Kind::Usb);
  }
  return std::make_unique<HandleSink>(target, Wide(target), HandleSink::Kind::File);
}
