#include "link/posix_transport.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace {

std::string Reason(int code = errno) { return std::strerror(code); }

std::string Seconds(int ms) { return std::to_string((ms + 999) / 1000) + " s"; }

// Waits up to `timeoutMs` (-1: without end) for `events` on a descriptor.
int PollOne(int fd, short events, int timeoutMs) {
  pollfd p{fd, events, 0};
  int ready;
  do ready = ::poll(&p, 1, timeoutMs);
  while (ready < 0 && errno == EINTR);
  return ready;
}

// One descriptor: a file, a device, a serial line or a socket.
class DescriptorConnection : public Connection {
 public:
  DescriptorConnection(int fd, std::string name, int writeTimeoutMs)
      : fd_(fd), name_(std::move(name)), writeTimeoutMs_(writeTimeoutMs) {}
  ~DescriptorConnection() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    written = 0;
    while (written < bytes.size()) {
      const ssize_t n = Send(bytes.data() + written, bytes.size() - written);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        error = "writing to " + name_ + " failed: " + Reason();
        return false;
      }
      const int ready = PollOne(fd_, POLLOUT, writeTimeoutMs_);
      if (ready == 0) {
        error = name_ + " took no data for " + Seconds(writeTimeoutMs_);
        return false;
      }
      if (ready < 0) {
        error = "writing to " + name_ + " failed: " + Reason();
        return false;
      }
    }
    return true;
  }

  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
            std::string& error) override {
    got = 0;
    const int ready = PollOne(fd_, POLLIN, static_cast<int>(timeout.count()));
    if (ready == 0) return true;
    const ssize_t n = ready > 0 ? ::read(fd_, buffer.data(), buffer.size()) : -1;
    if (n > 0) {
      got = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    error = n == 0 ? name_ + " closed the connection" : "reading from " + name_ + " failed: " + Reason();
    return false;
  }

  bool Finish(std::string& error) override {
    if (fd_ < 0) return true;
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
      error = "closing " + name_ + " failed: " + Reason();
      return false;
    }
    return true;
  }

 protected:
  virtual ssize_t Send(const std::uint8_t* bytes, std::size_t count) { return ::write(fd_, bytes, count); }

  int fd_;
  std::string name_;
  int writeTimeoutMs_;
};

class SerialConnection : public DescriptorConnection {
 public:
  using DescriptorConnection::DescriptorConnection;
  bool Finish(std::string& error) override {
    if (fd_ >= 0) ::tcdrain(fd_);
    return DescriptorConnection::Finish(error);
  }
};

class SocketConnection : public DescriptorConnection {
 public:
  using DescriptorConnection::DescriptorConnection;

  // Everything sent is acknowledged before the connection is closed.
  bool Finish(std::string& error) override {
    if (fd_ < 0) return true;
    ::shutdown(fd_, SHUT_WR);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(writeTimeoutMs_);
    int unsent = 0;
    while (::ioctl(fd_, TIOCOUTQ, &unsent) == 0 && unsent > 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::close(std::exchange(fd_, -1));
    if (unsent > 0) {
      error = name_ + " did not take the last " + std::to_string(unsent) + " bytes within " + Seconds(writeTimeoutMs_);
      return false;
    }
    return true;
  }

  bool PeerClosed() override {
    if (fd_ < 0) return true;
    std::uint8_t byte;
    if (PollOne(fd_, POLLIN, 0) <= 0) return false;
    const ssize_t n = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
  }

 protected:
  // A printer that closed the connection gives an error, not SIGPIPE.
  ssize_t Send(const std::uint8_t* bytes, std::size_t count) override {
    return ::send(fd_, bytes, count, MSG_NOSIGNAL);
  }
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

// Raw, the baud rate, data and stop bits asked for, no parity, no flow
// control, DTR on.
bool ApplyLine(int fd, const std::string& path, const LineSettings& line, std::string& error) {
  bool known = false;
  const speed_t speed = SpeedFor(line.baudRate, known);
  if (!known) error = "baud rate " + std::to_string(line.baudRate) + " is not available on " + path;
  else if (line.byteSize < 5 || line.byteSize > 8)
    error = std::to_string(line.byteSize) + " data bits are not available on " + path;
  else if (line.stopBitsCode == 1 || line.stopBitsCode > 2)
    error = "these stop bits are not available on " + path + " (1 or 2)";
  if (!error.empty()) return false;
  termios t{};
  if (::tcgetattr(fd, &t) != 0) {
    error = "cannot read the line settings of " + path + ": " + Reason();
    return false;
  }
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, speed);
  ::cfsetospeed(&t, speed);
  static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | CSTOPB | CRTSCTS)) | kSizes[line.byteSize - 5] | CLOCAL | CREAD;
  if (line.stopBitsCode == 2) t.c_cflag |= CSTOPB;
  if (::tcsetattr(fd, TCSANOW, &t) != 0) {
    error = "cannot set the line of " + path + ": " + Reason();
    return false;
  }
  int dtr = TIOCM_DTR;
  ::ioctl(fd, TIOCMBIS, &dtr);  // a pseudo-terminal has no DTR: not an error
  return true;
}

// One address tried with a bounded wait; the socket, or -1 with the reason.
int ConnectOne(const addrinfo* a, int timeoutMs, std::string& reason) {
  const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
  if (fd < 0) {
    reason = Reason();
    return -1;
  }
  if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
    reason = Reason();
    ::close(fd);
    return -1;
  }
  const int ready = PollOne(fd, POLLOUT, timeoutMs);
  int soError = 0;
  socklen_t length = sizeof soError;
  if (ready == 0) {
    reason = "no answer within " + Seconds(timeoutMs);
  } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0 || soError != 0) {
    reason = Reason(soError ? soError : errno);
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

std::unique_ptr<Connection> OpenNetwork(const Endpoint& where, const PosixTransport::Options& options,
                                        std::string& error) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = ::getaddrinfo(where.name.c_str(), where.port.c_str(), &hints, &found); rc != 0) {
    error = "cannot find " + where.name + ": " + ::gai_strerror(rc);
    return nullptr;
  }
  std::string reason = "no address";
  int fd = -1;
  for (addrinfo* a = found; a && fd < 0; a = a->ai_next) fd = ConnectOne(a, options.connectTimeoutMs, reason);
  ::freeaddrinfo(found);
  if (fd < 0) {
    error = "cannot connect to " + Describe(where) + ": " + reason;
    return nullptr;
  }
  return std::make_unique<SocketConnection>(fd, Describe(where), options.writeTimeoutMs);
}

}  // namespace

std::unique_ptr<Connection> PosixTransport::Open(const Endpoint& where, std::string& error) {
  if (where.kind == TransportKind::Network) return OpenNetwork(where, options_, error);
  const bool file = where.kind == TransportKind::File;
  const int flags = file ? O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC : O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  int fd = ::open(where.name.c_str(), flags, 0644);
  // Reading is for status answers: a port that only takes data is opened for writing.
  if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(where.name.c_str(), (flags & ~O_RDWR) | O_WRONLY, 0644);
  if (fd < 0) {
    error = "cannot open " + where.name + ": " + Reason();
    return nullptr;
  }
  if (where.kind == TransportKind::Serial) {
    if (!ApplyLine(fd, where.name, where.line, error)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<SerialConnection>(fd, where.name, options_.writeTimeoutMs);
  }
  // A file takes what it is given without a wait.
  return std::make_unique<DescriptorConnection>(fd, where.name, file ? -1 : options_.writeTimeoutMs);
}
