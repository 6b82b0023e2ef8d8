#include "target.h"

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
