#pragma once

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/transport.h"

// A connection on an open descriptor (a terminal or a socket), closed at
// the end.
class FdConnection : public Connection {
 public:
  explicit FdConnection(int fd) : fd_(fd) {}
  ~FdConnection() override { ::close(fd_); }

  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    for (written = 0; written < bytes.size();) {
      const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail(error);
      written += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
            std::string& error) override {
    got = 0;
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(timeout.count()));
    if (ready < 0) return Fail(error);
    if (ready == 0) return true;
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0) return Fail(error);
    got = static_cast<std::size_t>(n);
    return true;
  }

  bool Finish(std::string&) override { return true; }

 private:
  bool Fail(std::string& error) {
    error = std::strerror(errno);
    return false;
  }
  int fd_;
};
