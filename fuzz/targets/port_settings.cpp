// The port settings dialog read back from six lines of input: names keep at
// most 4 bytes and the parity 1, each a prefix of its field, and what the
// dialog then shows reads back to the same settings.
#include <cstdint>
#include <string>

#include "check.h"
#include "link/port_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string fields[6];
  int field = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' && field < 5) ++field;
    else fields[field] += static_cast<char>(data[i]);
  }
  const PortSettingsTexts texts{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  const SerialSettings s = SettingsFrom(texts);
  FUZZ_CHECK(s.parallelPortName.size() <= 4 && texts.parallelPortName.starts_with(s.parallelPortName), "parallel port");
  FUZZ_CHECK(s.serialPortName.size() <= 4 && texts.serialPortName.starts_with(s.serialPortName), "serial port");
  FUZZ_CHECK(s.parity.size() <= 1 && texts.parity.starts_with(s.parity), "parity");
  FUZZ_CHECK(SettingsFrom(TextsFor(s)) == s, "the shown settings read back differently");
  return 0;
}
