#pragma once

#include <functional>

#include "link/transport.h"

// Connections through the Win32 file, communication and socket functions:
// serial ports with their line settings, parallel ports (overlapped), USB
// printer interfaces found with SetupDi, network printers (raw TCP) and
// files. Shared by the program and the command line.
class Win32Transport : public Transport {
 public:
  struct Options {
    int connectTimeoutMs = 3000;
    int networkWriteTimeoutMs = 5000;  // a network printer taking no data
    // A serial port that refuses its time-outs or line settings fails to
    // open; otherwise it is used as it is.
    bool strictSerial = false;
    // Called about every 50 ms while a network connection waits, so the
    // caller's windows can keep painting.
    std::function<void()> whileWaiting;
  };

  Win32Transport() : Win32Transport(Options{}) {}
  explicit Win32Transport(Options options);
  ~Win32Transport() override;
  Win32Transport(const Win32Transport&) = delete;
  Win32Transport& operator=(const Win32Transport&) = delete;

  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override;
  // Device paths of the present USB printer interfaces, in enumeration
  // order, up to the first one whose path cannot be read.
  std::vector<std::string> ListUsbPrinters() override;

 private:
  Options options_;
  bool socketsStarted_ = false;
};
