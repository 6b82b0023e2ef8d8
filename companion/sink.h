#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/serial_settings.h"

// Where the bytes of one run of the command line go. The connection is
// opened once and stays open for the run, however often the printer link
// closes and reopens its port.
class Sink {
 public:
  virtual ~Sink() = default;
  // A serial line gets `line`; other targets ignore it.
  virtual bool Open(const LineSettings& line, std::string& error) = 0;
  // Returns only when every byte is taken, or with an error.
  virtual bool Write(const std::uint8_t* bytes, std::size_t count, std::string& error) = 0;
  // Waits until everything written has left: a serial line drained, a
  // network printer's connection acknowledged and closed.
  virtual bool Finish(std::string& error) = 0;
  virtual bool IsSerial() const { return false; }
  virtual bool IsUsb() const { return false; }
};

struct TargetOptions {
  int timeoutSeconds = 10;  // connecting, and a network printer taking no data
};

// "tcp://HOST[:PORT]" (port 9100 when none), a serial or printer device, a
// file, or on Windows COMn, LPTn and "usb" (the first USB printer found).
// Nothing, with `error` set, for a target that cannot be used.
std::unique_ptr<Sink> MakeSink(const std::string& target, const TargetOptions& options, std::string& error);

// The host and port of a tcp:// target; false when `target` is not one.
bool ParseTcpTarget(const std::string& target, std::string& host, std::string& port, std::string& error);
