#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/serial_settings.h"

// The fields of the port settings dialog as texts.
struct PortSettingsTexts {
  std::string parallelPortName;
  std::string serialPortName;
  std::string baudRate;
  std::string parity;
  std::string dataBits;
  std::string stopBits;
  std::string networkHost;
  std::string networkPort;
};

// The settings as the dialog shows them, numbers in unsigned decimal.
PortSettingsTexts TextsFor(const SerialSettings& settings);

// The fields read back. Port names keep at most 4 bytes and the parity
// letter 1, never half of a two-byte sign; a number field that is not a
// plain unsigned number gives 0; the data bits keep their low 8 bits. The
// network address loses the blanks around it; its port must be valid
// (NetworkPortIsValid), or the default 9100 is kept.
SerialSettings SettingsFrom(const PortSettingsTexts& texts);

// A network port entry from 1 to 65535.
bool NetworkPortIsValid(std::string_view text);

// Decimal digits with optional blanks around them, within 32 bits. Any
// other text (empty, a sign, letters, too large) gives 0. One rule for
// every platform, so a field reads the same wherever the program runs.
std::uint32_t ParseUnsignedField(std::string_view text);
