#include "link/win32_transport.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// GUID_DEVINTERFACE_USBPRINT: the USB printer interface class.
constexpr GUID kUsbPrintInterface = {0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

// The device paths copied out of the detail record are kept to this size.
constexpr std::size_t kDevicePathLimit = 2048;

constexpr int kWaitSliceMs = 50;

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

std::string LastError() { return SystemMessage(GetLastError()); }
std::string SocketError(int code = WSAGetLastError()) { return SystemMessage(static_cast<DWORD>(code)); }
std::string Seconds(int ms) { return std::to_string((ms + 999) / 1000) + " s"; }

std::wstring WideFromUtf8(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), size);
  out.resize(out.size() - 1);
  return out;
}

// A file, a port or a printer device. A handle opened for overlapped
// writes always gets an event-backed OVERLAPPED record and is waited for.
class HandleConnection : public Connection {
 public:
  HandleConnection(HANDLE handle, std::string name, bool overlapped, bool serial)
      : handle_(handle), name_(std::move(name)), overlapped_(overlapped), serial_(serial) {}
  ~HandleConnection() override { CloseHandle(handle_); }

  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    written = 0;
    do {  // an empty write is still handed to the driver
      const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 0x40000000));
      DWORD done = 0;
      if (!Transfer(true, const_cast<std::uint8_t*>(bytes.data()) + written, ask, done, INFINITE)) {
        error = "writing to " + name_ + " failed: " + LastError();
        return false;
      }
      written += done;
      if (done == 0 && ask > 0) {
        error = name_ + " took no data";
        return false;
      }
    } while (written < bytes.size());
    return true;
  }

  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
            std::string& error) override {
    got = 0;
    const DWORD wait = static_cast<DWORD>(timeout.count());
    COMMTIMEOUTS saved{};
    if (serial_) {
      // Back as soon as a byte is in, or when the time is up.
      GetCommTimeouts(handle_, &saved);
      COMMTIMEOUTS reading = saved;
      reading.ReadIntervalTimeout = MAXDWORD;
      reading.ReadTotalTimeoutMultiplier = MAXDWORD;
      reading.ReadTotalTimeoutConstant = wait == 0 ? 1 : wait;
      SetCommTimeouts(handle_, &reading);
    }
    DWORD done = 0;
    const bool ok = Transfer(false, buffer.data(), static_cast<DWORD>(buffer.size()), done, wait);
    if (serial_) SetCommTimeouts(handle_, &saved);
    if (!ok) {
      error = "reading from " + name_ + " failed: " + LastError();
      return false;
    }
    got = done;
    return true;
  }

  bool Finish(std::string& error) override {
    if (serial_ && !FlushFileBuffers(handle_)) {
      error = "draining " + name_ + " failed: " + LastError();
      return false;
    }
    return true;
  }

 private:
  // One ReadFile or WriteFile; an overlapped one waits up to `wait` ms and
  // is cancelled after that (a read that got nothing in time is no error).
  bool Transfer(bool write, std::uint8_t* bytes, DWORD count, DWORD& done, DWORD wait) {
    done = 0;
    if (!overlapped_)
      return write ? WriteFile(handle_, bytes, count, &done, nullptr) : ReadFile(handle_, bytes, count, &done, nullptr);
    OVERLAPPED request{};
    request.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (request.hEvent == nullptr) return false;
    BOOL ok = write ? WriteFile(handle_, bytes, count, nullptr, &request)
                    : ReadFile(handle_, bytes, count, nullptr, &request);
    if (ok || GetLastError() == ERROR_IO_PENDING) {
      if (!ok && WaitForSingleObject(request.hEvent, wait) == WAIT_TIMEOUT) CancelIo(handle_);
      ok = GetOverlappedResult(handle_, &request, &done, TRUE);
      if (!ok && GetLastError() == ERROR_OPERATION_ABORTED) ok = !write;
    }
    const DWORD code = GetLastError();
    CloseHandle(request.hEvent);
    SetLastError(code);
    return ok;
  }

  HANDLE handle_;
  std::string name_;
  bool overlapped_;
  bool serial_;
};

// The network events of one socket, gathered with WSAEventSelect. Waits
// never poll the socket itself; each is bounded and sliced so that the
// caller's hook runs between slices.
class SocketEvents {
 public:
  SocketEvents(SOCKET socket, const Win32Transport::Options& options)
      : socket_(socket), options_(options), event_(WSACreateEvent()) {}
  ~SocketEvents() {
    if (event_ != WSA_INVALID_EVENT) WSACloseEvent(event_);
  }
  SocketEvents(const SocketEvents&) = delete;
  SocketEvents& operator=(const SocketEvents&) = delete;

  // Also makes the socket non-blocking.
  bool Start() {
    return event_ != WSA_INVALID_EVENT &&
           WSAEventSelect(socket_, event_, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) == 0;
  }

  // The next wait for these needs a fresh event.
  void Forget(long events) { seen_ &= ~events; }

  // True once one of `events` has been seen, within `timeoutMs`.
  bool WaitFor(long events, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
      Gather();
      if (seen_ & events) return true;
      const int left = timeoutMs - static_cast<int>(GetTickCount() - start);
      if (left <= 0) return false;
      WSAWaitForMultipleEvents(1, &event_, FALSE, static_cast<DWORD>(std::min(left, kWaitSliceMs)), FALSE);
      if (options_.whileWaiting) options_.whileWaiting();
    }
  }

  bool Seen(long events) const { return (seen_ & events) != 0; }
  int ErrorOf(int bit) const { return errors_[bit]; }

 private:
  void Gather() {
    WSANETWORKEVENTS happened{};
    if (WSAEnumNetworkEvents(socket_, event_, &happened) != 0) return;
    seen_ |= happened.lNetworkEvents;
    for (int bit = 0; bit < FD_MAX_EVENTS; ++bit)
      if (happened.lNetworkEvents & (1L << bit)) errors_[bit] = happened.iErrorCode[bit];
  }

  SOCKET socket_;
  const Win32Transport::Options& options_;
  WSAEVENT event_;
  long seen_ = 0;
  int errors_[FD_MAX_EVENTS] = {};
};

// A network printer: a non-blocking socket whose every wait is bounded.
class SocketConnection : public Connection {
 public:
  SocketConnection(SOCKET socket, std::string name, const Win32Transport::Options& options)
      : socket_(socket), name_(std::move(name)), options_(options), events_(socket, options) {}
  ~SocketConnection() override { closesocket(socket_); }

  // Connects with a bounded wait; false with the reason when it cannot.
  bool Connect(const sockaddr* address, int length, std::string& reason) {
    if (!events_.Start()) {
      reason = SocketError();
      return false;
    }
    if (connect(socket_, address, length) == 0) return true;
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
      reason = SocketError();
      return false;
    }
    if (!events_.WaitFor(FD_CONNECT, options_.connectTimeoutMs)) {
      reason = "no answer within " + Seconds(options_.connectTimeoutMs);
      return false;
    }
    if (const int failed = events_.ErrorOf(FD_CONNECT_BIT)) {
      reason = SocketError(failed);
      return false;
    }
    return true;
  }

  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    written = 0;
    while (written < bytes.size()) {
      const int ask = static_cast<int>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
      const int n = send(socket_, reinterpret_cast<const char*>(bytes.data() + written), ask, 0);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
        continue;
      }
      if (WSAGetLastError() != WSAEWOULDBLOCK) {
        error = "writing to " + name_ + " failed: " + SocketError();
        return false;
      }
      events_.Forget(FD_WRITE);
      if (!events_.WaitFor(FD_WRITE | FD_CLOSE, options_.networkWriteTimeoutMs)) {
        error = name_ + " took no data for " + Seconds(options_.networkWriteTimeoutMs);
        return false;
      }
      if (!events_.Seen(FD_WRITE)) {
        error = name_ + " closed the connection";
        return false;
      }
    }
    return true;
  }

  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
            std::string& error) override {
    got = 0;
    int n = Receive(buffer.data(), buffer.size());
    if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) {
      events_.Forget(FD_READ);
      if (!events_.WaitFor(FD_READ | FD_CLOSE, static_cast<int>(timeout.count()))) return true;
      n = Receive(buffer.data(), buffer.size());
    }
    if (n > 0) {
      got = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return true;
    error = n == 0 ? name_ + " closed the connection" : "reading from " + name_ + " failed: " + SocketError();
    return false;
  }

  // The printer has everything when it closes its side after ours: what it
  // sends meanwhile is read and dropped.
  bool Finish(std::string& error) override {
    shutdown(socket_, SD_SEND);
    const DWORD start = GetTickCount();
    std::uint8_t buffer[512];
    for (;;) {
      const int n = Receive(buffer, sizeof buffer);
      if (n == 0) return true;
      if (n > 0) continue;
      if (WSAGetLastError() != WSAEWOULDBLOCK) {
        error = name_ + " dropped the connection before taking every byte: " + SocketError();
        return false;
      }
      const int left = options_.networkWriteTimeoutMs - static_cast<int>(GetTickCount() - start);
      events_.Forget(FD_READ);
      if (left <= 0 || !events_.WaitFor(FD_READ | FD_CLOSE, left)) break;
    }
    error = name_ + " did not confirm the data within " + Seconds(options_.networkWriteTimeoutMs);
    return false;
  }

  bool PeerClosed() override {
    char byte;
    const int n = recv(socket_, &byte, 1, MSG_PEEK);
    return n == 0 || (n < 0 && WSAGetLastError() != WSAEWOULDBLOCK);
  }

 private:
  int Receive(std::uint8_t* buffer, std::size_t size) {
    return recv(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(std::min<std::size_t>(size, 1 << 20)), 0);
  }

  SOCKET socket_;
  std::string name_;
  const Win32Transport::Options& options_;
  SocketEvents events_;
};

// One address tried with a bounded wait; the connection, or nullptr.
std::unique_ptr<SocketConnection> ConnectOne(const sockaddr* address, int length, const std::string& name,
                                             const Win32Transport::Options& options, std::string& reason) {
  SOCKET s = socket(address->sa_family, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    reason = SocketError();
    return nullptr;
  }
  auto connection = std::make_unique<SocketConnection>(s, name, options);
  if (!connection->Connect(address, length, reason)) return nullptr;
  return connection;
}

// An IPv4 or IPv6 address written out needs no name lookup.
bool NumericAddress(const Endpoint& where, sockaddr_storage& address, int& length) {
  const u_short port = htons(static_cast<u_short>(std::atoi(where.port.c_str())));
  address = {};
  auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
  if (InetPtonA(AF_INET, where.name.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = port;
    length = sizeof(sockaddr_in);
    return true;
  }
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
  if (InetPtonA(AF_INET6, where.name.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = port;
    length = sizeof(sockaddr_in6);
    return true;
  }
  return false;
}

std::unique_ptr<Connection> OpenNetwork(const Endpoint& where, const Win32Transport::Options& options,
                                        std::string& error) {
  std::string reason = "no address";
  std::unique_ptr<SocketConnection> connection;
  sockaddr_storage numeric;
  int length = 0;
  if (NumericAddress(where, numeric, length)) {
    connection = ConnectOne(reinterpret_cast<const sockaddr*>(&numeric), length, Describe(where), options, reason);
  } else {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(where.name.c_str(), where.port.c_str(), &hints, &found) != 0) {
      error = "cannot find " + where.name + ": " + SocketError();
      return nullptr;
    }
    for (addrinfo* a = found; a && !connection; a = a->ai_next)
      connection = ConnectOne(a->ai_addr, static_cast<int>(a->ai_addrlen), Describe(where), options, reason);
    freeaddrinfo(found);
  }
  if (!connection) error = "cannot connect to " + Describe(where) + ": " + reason;
  return connection;
}

// Time-outs and line settings as the program has always set them; false
// when the port refused any of them.
bool ApplyLine(HANDLE port, const LineSettings& line) {
  COMMTIMEOUTS timeouts{};
  bool ok = GetCommTimeouts(port, &timeouts);
  timeouts.ReadIntervalTimeout = 0;
  timeouts.ReadTotalTimeoutMultiplier = 20;
  timeouts.ReadTotalTimeoutConstant = 20;
  // Write time-outs 0: a write waits until the driver has taken every byte.
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  ok = SetCommTimeouts(port, &timeouts) && ok;

  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  ok = GetCommState(port, &dcb) && ok;
  dcb.BaudRate = line.baudRate;
  dcb.ByteSize = line.byteSize;
  dcb.Parity = line.parityCode;
  dcb.StopBits = line.stopBitsCode;
  dcb.fDtrControl = line.dtrEnabled ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.wReserved = 0;
  return SetCommState(port, &dcb) && ok;
}

enum class PathRead { Read, Skip, Stop };

// The device path of one enumerated interface. An allocation failure skips
// the interface; a detail record that cannot be read ends the enumeration.
PathRead ReadDevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& iface, std::string& path) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(set, &iface, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) required = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  std::vector<BYTE> buffer;
  try {
    buffer.assign(required, 0);
  } catch (const std::bad_alloc&) {
    return PathRead::Skip;
  }
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);  // the fixed header, 5 or 8 bytes
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(SP_DEVINFO_DATA);
  if (!SetupDiGetDeviceInterfaceDetailA(set, &iface, detail, required, nullptr, &device)) return PathRead::Stop;
  path.assign(detail->DevicePath, strnlen(detail->DevicePath, kDevicePathLimit - 1));
  return PathRead::Read;
}

}  // namespace

Win32Transport::Win32Transport(Options options) : options_(std::move(options)) {
  WSADATA data;
  socketsStarted_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32Transport::~Win32Transport() {
  if (socketsStarted_) WSACleanup();
}

std::unique_ptr<Connection> Win32Transport::Open(const Endpoint& where, std::string& error) {
  HANDLE handle = INVALID_HANDLE_VALUE;
  switch (where.kind) {
    case TransportKind::Network: return OpenNetwork(where, options_, error);
    case TransportKind::Serial:
      handle = CreateFileA(where.name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
      if (handle != INVALID_HANDLE_VALUE && !ApplyLine(handle, where.line) && options_.strictSerial) {
        error = where.name + " refuses the serial line settings: " + LastError();
        CloseHandle(handle);
        return nullptr;
      }
      break;
    case TransportKind::Parallel:
      handle = CreateFileA(where.name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_FLAG_OVERLAPPED, nullptr);
      break;
    case TransportKind::Usb: {
      // Read access for status answers where the driver grants it.
      const DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL;
      handle = CreateFileA(where.name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           flags, nullptr);
      if (handle == INVALID_HANDLE_VALUE)
        handle = CreateFileA(where.name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, flags, nullptr);
      break;
    }
    case TransportKind::File:
      handle = CreateFileW(WideFromUtf8(where.name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
      break;
  }
  if (handle == INVALID_HANDLE_VALUE) {
    error = "cannot open " + where.name + ": " + LastError();
    return nullptr;
  }
  return std::make_unique<HandleConnection>(handle, where.name, where.kind == TransportKind::Parallel,
                                            where.kind == TransportKind::Serial);
}

std::vector<std::string> Win32Transport::ListUsbPrinters() {
  std::vector<std::string> paths;
  HDEVINFO set = SetupDiGetClassDevsA(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  SP_DEVICE_INTERFACE_DATA iface{};
  iface.cbSize = sizeof(iface);
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, index, &iface); ++index) {
    std::string path;
    const PathRead read = ReadDevicePath(set, iface, path);
    if (read == PathRead::Stop) break;
    if (read == PathRead::Read) paths.push_back(path);
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}
