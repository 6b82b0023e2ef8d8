// Targets on POSIX systems: files, printer and serial devices, TCP.
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/posix_transport.h"
#include "target.h"

std::unique_ptr<Transport> MakeSystemTransport(const TargetOptions& options) {
  const int ms = options.timeoutSeconds * 1000;
  return std::make_unique<PosixTransport>(PosixTransport::Options{ms, ms});
}

bool EndpointForLocalTarget(const std::string& target, Transport&, Endpoint& where, std::string& error) {
  struct stat info{};
  if (::stat(target.c_str(), &info) == 0 && S_ISCHR(info.st_mode)) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
      error = "cannot open " + target + ": " + std::strerror(errno);
      return false;
    }
    const bool tty = ::isatty(fd);
    ::close(fd);
    where = {tty ? TransportKind::Serial : TransportKind::Parallel, target, "", {}};
    return true;
  }
  if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = target + " is a folder";
    return false;
  }
  where = {TransportKind::File, target, "", {}};
  return true;
}
