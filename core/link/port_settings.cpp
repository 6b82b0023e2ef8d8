#include "link/port_settings.h"

#include "panels/field_readers.h"

namespace {

constexpr std::size_t kPortNameBytes = 4;
constexpr std::size_t kParityBytes = 1;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

PortSettingsTexts TextsFor(const SerialSettings& s) {
  return {s.parallelPortName, s.serialPortName,           std::to_string(s.baudRate), s.parity,
          std::to_string(s.dataBits), std::to_string(s.stopBits), s.networkHost,                std::to_string(s.networkPort)};
}

SerialSettings SettingsFrom(const PortSettingsTexts& t) {
  SerialSettings s;
  s.parallelPortName = CutGbk(t.parallelPortName, kPortNameBytes);
  s.serialPortName = CutGbk(t.serialPortName, kPortNameBytes);
  s.parity = CutGbk(t.parity, kParityBytes);
  s.baudRate = ParseUnsignedField(t.baudRate);
  s.dataBits = static_cast<std::uint8_t>(ParseUnsignedField(t.dataBits) & 0xFF);
  s.stopBits = ParseUnsignedField(t.stopBits);
  std::size_t begin = 0, end = t.networkHost.size();
  while (begin < end && IsBlank(t.networkHost[begin])) ++begin;
  while (end > begin && IsBlank(t.networkHost[end - 1])) --end;
  s.networkHost = t.networkHost.substr(begin, end - begin);
  if (NetworkPortIsValid(t.networkPort)) s.networkPort = ParseUnsignedField(t.networkPort);
  return s;
}

std::uint32_t ParseUnsignedField(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return 0;
  std::uint64_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > UINT32_MAX) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

bool NetworkPortIsValid(std::string_view text) {
  const std::uint32_t port = ParseUnsignedField(text);
  return port >= 1 && port <= 65535;
}
