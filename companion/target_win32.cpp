// Targets on Windows: COMn, LPTn, the USB printers the program finds, files, TCP.
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/win32_transport.h"
#include "target.h"

namespace {

// "COM3" -> 3 for prefix "COM"; 0 when the name is not one.
int PortNumber(const std::string& name, const char* prefix) {
  const std::size_t n = std::char_traits<char>::length(prefix);
  if (name.size() <= n || name.size() > n + 3) return 0;
  for (std::size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return 0;
  for (std::size_t i = n; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
  return std::stoi(name.substr(n));
}

}  // namespace

std::unique_ptr<Transport> MakeSystemTransport(const TargetOptions& options) {
  Win32Transport::Options o;
  o.connectTimeoutMs = o.networkWriteTimeoutMs = options.timeoutSeconds * 1000;
  o.strictSerial = true;
  return std::make_unique<Win32Transport>(o);
}

bool EndpointForLocalTarget(const std::string& target, Transport& transport, Endpoint& where, std::string& error) {
  if (const int n = PortNumber(target, "COM")) {
    where = {TransportKind::Serial, "\\\\.\\COM" + std::to_string(n), "", {}};
    return true;
  }
  if (const int n = PortNumber(target, "LPT")) {
    where = {TransportKind::Parallel, "\\\\.\\LPT" + std::to_string(n), "", {}};
    return true;
  }
  if (target == "usb" || target.rfind("usb:", 0) == 0) {
    // The printers as the program lists them; "usb:2" is the second.
    const std::vector<std::string> printers = transport.ListUsbPrinters();
    const std::size_t index = target == "usb" ? 0 : static_cast<std::size_t>(std::atoi(target.c_str() + 4)) - 1;
    if (index >= printers.size()) {
      error = printers.empty() ? "no USB printer found" : "there are " + std::to_string(printers.size()) + " USB printers";
      return false;
    }
    where = {TransportKind::Usb, printers[index], "", {}};
    return true;
  }
  where = {TransportKind::File, target, "", {}};
  return true;
}
