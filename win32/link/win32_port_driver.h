#pragma once

#include "link/port_driver.h"

// Serial, parallel and USB printer ports through the Win32 file and
// communication functions.
class Win32PortDriver : public PortDriver {
 public:
  PortHandle OpenSerial(const std::string& name, const LineSettings& line) override;
  PortHandle OpenParallel(const std::string& name) override;
  std::vector<std::string> ListUsbPrinters() override;
  PortHandle OpenUsb(const std::string& devicePath) override;
  void Write(PortHandle port, const std::uint8_t* bytes, std::size_t count) override;
  void Close(PortHandle port) override;
  void ShowOpenFailure() override;
};
