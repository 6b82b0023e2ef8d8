// Targets on POSIX systems: files, printer and serial devices, TCP.
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "sink.h"

namespace {

std::string Reason() { return std::strerror(errno); }

// Writes all bytes to a descriptor, waiting up to `timeout` ms for room each
// time (-1: as long as it takes).
bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t count, int timeout, const std::string& name,
              std::string& error) {
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n > 0) {
      bytes += n;
      count -= static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      error = "writing to " + name + " failed: " + Reason();
      return false;
    }
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, timeout);
    if (ready == 0) {
      error = name + " took no data for " + std::to_string(timeout / 1000) + " s";
      return false;
    }
    if (ready < 0 && errno != EINTR) {
      error = "writing to " + name + " failed: " + Reason();
      return false;
    }
  }
  return true;
}

// A file, or a printer or serial device: a device that takes no data for
// the time-out is reported rather than waited for without end.
class FileSink : public Sink {
 public:
  FileSink(std::string path, bool device, int timeoutMs) : path_(std::move(path)), device_(device), timeoutMs_(timeoutMs) {}
  ~FileSink() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Open(const LineSettings&, std::string& error) override {
    if (fd_ >= 0) return true;
    fd_ = ::open(path_.c_str(), device_ ? O_WRONLY | O_NOCTTY | O_NONBLOCK : O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd_ < 0) error = "cannot open " + path_ + ": " + Reason();
    return fd_ >= 0;
  }
  bool Write(const std::uint8_t* bytes, std::size_t count, std::string& error) override {
    return WriteAll(fd_, bytes, count, device_ ? timeoutMs_ : -1, path_, error);
  }
  bool Finish(std::string& error) override {
    if (fd_ < 0) return true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
      error = "closing " + path_ + " failed: " + Reason();
      return false;
    }
    return true;
  }

 protected:
  std::string path_;
  bool device_;
  int timeoutMs_;
  int fd_ = -1;
};

speed_t SpeedFor(std::uint32_t baud, bool& known) {
  known = true;
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: known = false; return B0;
  }
}

// A serial line: raw, the baud rate, data and stop bits of the port
// settings, no parity, no flow control, DTR on.
class SerialSink : public FileSink {
 public:
  SerialSink(std::string path, int timeoutMs) : FileSink(std::move(path), true, timeoutMs) {}
  bool IsSerial() const override { return true; }
  bool Open(const LineSettings& line, std::string& error) override {
    if (fd_ >= 0) return true;
    bool known = false;
    const speed_t speed = SpeedFor(line.baudRate, known);
    if (!known) return Fail("baud rate " + std::to_string(line.baudRate) + " is not available on " + path_, error);
    if (line.byteSize < 5 || line.byteSize > 8)
      return Fail(std::to_string(line.byteSize) + " data bits are not available on " + path_, error);
    if (line.stopBitsCode == 1 || line.stopBitsCode > 2)
      return Fail("these stop bits are not available on " + path_ + " (1 or 2)", error);
    if (!FileSink::Open(line, error)) return false;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return Fail("cannot read the line settings of " + path_ + ": " + Reason(), error);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | CSTOPB | CRTSCTS)) | kSizes[line.byteSize - 5] | CLOCAL | CREAD;
    if (line.stopBitsCode == 2) t.c_cflag |= CSTOPB;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return Fail("cannot set the line of " + path_ + ": " + Reason(), error);
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIS, &dtr);  // a pseudo-terminal has no DTR: not an error
    return true;
  }
  bool Finish(std::string& error) override {
    if (fd_ >= 0) ::tcdrain(fd_);
    return FileSink::Finish(error);
  }

 private:
  bool Fail(const std::string& what, std::string& error) {
    error = what;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
  }
};

class TcpSink : public Sink {
 public:
  TcpSink(std::string host, std::string port, int timeoutSeconds)
      : host_(std::move(host)), port_(std::move(port)), timeoutMs_(timeoutSeconds * 1000) {}
  ~TcpSink() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Open(const LineSettings&, std::string& error) override {
    if (fd_ >= 0) return true;
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int rc = ::getaddrinfo(host_.c_str(), port_.c_str(), &hints, &found); rc != 0) {
      error = "cannot find " + host_ + ": " + ::gai_strerror(rc);
      return false;
    }
    std::string last = "no address";
    for (addrinfo* a = found; a && fd_ < 0; a = a->ai_next) Connect(a, last);
    ::freeaddrinfo(found);
    if (fd_ < 0) error = "cannot connect to " + Name() + ": " + last;
    return fd_ >= 0;
  }

  bool Write(const std::uint8_t* bytes, std::size_t count, std::string& error) override {
    return WriteAll(fd_, bytes, count, timeoutMs_, Name(), error);
  }

  // Everything sent is acknowledged before the connection is closed.
  bool Finish(std::string& error) override {
    if (fd_ < 0) return true;
    ::shutdown(fd_, SHUT_WR);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs_);
    int unsent = 0;
    while (::ioctl(fd_, TIOCOUTQ, &unsent) == 0 && unsent > 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::close(fd_);
    fd_ = -1;
    if (unsent > 0) {
      error = Name() + " did not take the last " + std::to_string(unsent) + " bytes within " +
              std::to_string(timeoutMs_ / 1000) + " s";
      return false;
    }
    return true;
  }

 private:
  std::string Name() const { return host_ + ":" + port_; }

  void Connect(const addrinfo* a, std::string& last) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
      last = Reason();
      return;
    }
    if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
      last = Reason();
      ::close(fd);
      return;
    }
    pollfd p{fd, POLLOUT, 0};
    int ready;
    do ready = ::poll(&p, 1, timeoutMs_);
    while (ready < 0 && errno == EINTR);
    int soError = 0;
    socklen_t length = sizeof soError;
    if (ready == 0) {
      last = "no answer within " + std::to_string(timeoutMs_ / 1000) + " s";
    } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0 || soError != 0) {
      last = std::strerror(soError ? soError : errno);
    } else {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }

  std::string host_, port_;
  int timeoutMs_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<Sink> MakeSink(const std::string& target, const TargetOptions& options, std::string& error) {
  std::string host, port;
  if (ParseTcpTarget(target, host, port, error))
    return host.empty() ? nullptr : std::make_unique<TcpSink>(host, port, options.timeoutSeconds);
  if (target.empty()) {
    error = "no target given";
    return nullptr;
  }
  struct stat info{};
  if (::stat(target.c_str(), &info) == 0 && S_ISCHR(info.st_mode)) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
      error = "cannot open " + target + ": " + Reason();
      return nullptr;
    }
    const bool tty = ::isatty(fd);
    ::close(fd);
    if (tty) return std::make_unique<SerialSink>(target, options.timeoutSeconds * 1000);
    return std::make_unique<FileSink>(target, true, options.timeoutSeconds * 1000);
  }
  if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = target + " is a folder";
    return nullptr;
  }
  return std::make_unique<FileSink>(target, false, -1);
}
