#pragma once

// std::chrono's durations come with <condition_variable>; <chrono> itself
// is left out, as its unit names hold a sign (µ) the GBK build cannot encode.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/serial_settings.h"

// Where a connection goes. Serial lines carry their line settings; a
// network printer is a host and a port (raw TCP); a file is for the
// command line only.
enum class TransportKind { Serial, Parallel, Usb, Network, File };

struct Endpoint {
  TransportKind kind = TransportKind::Serial;
  std::string name;  // port name, device path, host or file path
  std::string port;  // network port ("9100"); empty for other kinds
  LineSettings line; // serial only

  bool operator==(const Endpoint&) const = default;
};

// "HOST:PORT" ("[::1]:9100" for an IPv6 address) for a network printer,
// the name for any other kind.
std::string Describe(const Endpoint& where);

// One open connection to a printer. Closed when destroyed.
class Connection {
 public:
  virtual ~Connection() = default;

  // Returns when every byte is handed over, or false with the reason;
  // `written` then tells how many were taken before the failure.
  virtual bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) = 0;

  // Waits up to `timeout` for what the printer sends back and stores it in
  // `buffer`; `got` is 0 when nothing came in time. False, with the reason,
  // when reading failed or this kind of connection cannot read.
  virtual bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout, std::size_t& got,
                    std::string& error) = 0;

  // Waits until what was written has left: a serial line drained, a network
  // connection shut down in order. False, with the reason, when it failed.
  virtual bool Finish(std::string& error) = 0;

  // True when the other side has closed the connection (a network printer
  // that dropped an idle connection); nothing written may go out then.
  virtual bool PeerClosed() { return false; }
};

// The operating system side: opens connections. Win32 in both programs,
// POSIX in the native command line, fakes in tests.
class Transport {
 public:
  virtual ~Transport() = default;

  // Nothing, with `error` set, when the connection cannot be made.
  virtual std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) = 0;

  // Device paths of the present USB printer interfaces, in enumeration order.
  virtual std::vector<std::string> ListUsbPrinters() = 0;
};

// A failure the link met, for the front end to show as it shows failures:
// message boxes in the program, stderr in the command line.
struct LinkFailure {
  enum class Step { Open, Write, Read };
  Step step = Step::Open;
  Endpoint where;
  std::string reason;
};

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void Report(const LinkFailure& failure) = 0;
};
