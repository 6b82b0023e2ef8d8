#pragma once

#include "link/transport.h"

// Connections on POSIX systems: a serial line (a terminal device, with the
// line settings), any other printer device, a TCP printer and a file.
class PosixTransport : public Transport {
 public:
  struct Options {
    int connectTimeoutMs = 10000;
    int writeTimeoutMs = 10000;  // a device or printer taking no data
  };

  PosixTransport() = default;
  explicit PosixTransport(Options options) : options_(options) {}

  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override;
  // No USB printer enumeration here: a USB printer is a device (/dev/usb/lp0).
  std::vector<std::string> ListUsbPrinters() override { return {}; }

 private:
  Options options_;
};
