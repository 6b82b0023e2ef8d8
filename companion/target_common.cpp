#include "target.h"

#include <charconv>

#include "link/port_settings.h"

bool ParseTcpTarget(const std::string& target, std::string& host, std::string& port, std::string& error) {
  const std::string scheme = "tcp://";
  if (target.compare(0, scheme.size(), scheme) != 0) return false;
  std::string rest = target.substr(scheme.size());
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  port = "9100";
  if (!rest.empty() && rest.front() == '[') {  // [IPv6]:port
    const std::size_t close = rest.find(']');
    host = rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    if (close != std::string::npos && close + 1 < rest.size() && rest[close + 1] == ':') port = rest.substr(close + 2);
  } else {
    const std::size_t colon = rest.rfind(':');
    host = rest.substr(0, colon);
    if (colon != std::string::npos) port = rest.substr(colon + 1);
  }
  if (host.empty() || port.empty() || port.find_first_not_of("0123456789") != std::string::npos ||
      !NetworkPortIsValid(port)) {
    error = "bad network target \"" + target + "\": use tcp://HOST or tcp://HOST:PORT";
    host.clear();
  }
  return true;
}

bool EndpointForTarget(const std::string& target, Transport& transport, Endpoint& where, std::string& error) {
  std::string host, port;
  if (ParseTcpTarget(target, host, port, error)) {
    where = {TransportKind::Network, host, port, {}};
    return !host.empty();
  }
  if (target.empty()) {
    error = "no target given";
    return false;
  }
  return EndpointForLocalTarget(target, transport, where, error);
}

namespace {

bool ParseCount(const std::optional<std::string>& text, std::uint32_t& value) {
  if (!text) return true;
  const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
  return ec == std::errc() && end == text->data() + text->size();
}

}  // namespace

bool ReadPortOptions(const Arguments& a, SerialSettings& settings, TargetOptions& options, std::string& error) {
  std::uint32_t dataBits = settings.dataBits, timeout = 10;
  if (!ParseCount(a.Value("--baud"), settings.baudRate) || !ParseCount(a.Value("--data-bits"), dataBits) ||
      !ParseCount(a.Value("--stop-bits"), settings.stopBits) || !ParseCount(a.Value("--timeout"), timeout) ||
      dataBits > 255 || timeout == 0 || timeout > 86400) {
    error = "--baud, --data-bits, --stop-bits and --timeout take a positive whole number (--timeout at most 86400)";
    return false;
  }
  settings.dataBits = static_cast<std::uint8_t>(dataBits);
  options.timeoutSeconds = static_cast<int>(timeout);
  return true;
}
