#pragma once

#include <cstdint>
#include <string>

// Port names, serial line parameters and where the network printer is,
// held in memory for the run only.
struct SerialSettings {
  std::string parallelPortName = "lpt1";
  std::string serialPortName = "com1";
  std::uint32_t baudRate = 9600;
  std::string parity = "n";  // shown and edited only; the line always runs without parity
  std::uint8_t dataBits = 8;
  std::uint32_t stopBits = 1;
  std::string networkHost;  // empty: no network printer set
  std::uint32_t networkPort = 9100;

  bool operator==(const SerialSettings&) const = default;
};

// What the serial driver is asked to apply, in the driver's own codes.
struct LineSettings {
  std::uint32_t baudRate = 0;
  std::uint8_t byteSize = 0;
  std::uint8_t parityCode = 0;    // 0: no parity
  std::uint8_t stopBitsCode = 0;  // 0: one, 1: one and a half, 2: two
  bool dtrEnabled = true;

  bool operator==(const LineSettings&) const = default;
};

// Stop bits 1 and 2 map to the codes for one and two stop bits; any other
// entry is handed on as entry - 1 and left to the driver to accept or refuse.
inline LineSettings LineSettingsFor(const SerialSettings& s) {
  LineSettings line;
  line.baudRate = s.baudRate;
  line.byteSize = s.dataBits;
  line.parityCode = 0;
  line.stopBitsCode = s.stopBits == 2 ? 2 : static_cast<std::uint8_t>(s.stopBits - 1);
  line.dtrEnabled = true;
  return line;
}
