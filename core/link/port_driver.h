#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/serial_settings.h"

// An open connection, owned by the port driver. nullptr means none.
using PortHandle = void*;

// The operating system side of the printer link. The Win32 driver talks to
// real ports; tests record what would have been done.
class PortDriver {
 public:
  virtual ~PortDriver() = default;

  // Opens the serial port and applies time-outs and line settings.
  virtual PortHandle OpenSerial(const std::string& name, const LineSettings& line) = 0;
  virtual PortHandle OpenParallel(const std::string& name) = 0;
  // Device paths of the present USB printer interfaces, in enumeration
  // order, up to the first one whose path cannot be read.
  virtual std::vector<std::string> ListUsbPrinters() = 0;
  virtual PortHandle OpenUsb(const std::string& devicePath) = 0;
  // Returns only when the bytes are handed over to the system.
  virtual void Write(PortHandle port, const std::uint8_t* bytes, std::size_t count) = 0;
  virtual void Close(PortHandle port) = 0;
  // The link's one failure message ("SetCommTimeout error").
  virtual void ShowOpenFailure() = 0;
};
