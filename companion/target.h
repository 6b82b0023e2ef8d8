#pragma once

#include <memory>
#include <string>

#include "command_line.h"
#include "link/serial_settings.h"
#include "link/transport.h"

struct TargetOptions {
  int timeoutSeconds = 10;  // connecting, and a network printer taking no data
};

// The operating system's transport for a run of the command line.
std::unique_ptr<Transport> MakeSystemTransport(const TargetOptions& options);

// Where a target goes: "tcp://HOST[:PORT]" (port 9100 when none), a serial
// or printer device, a file, or on Windows COMn, LPTn and "usb" (the first
// USB printer found, "usb:2" the second). False, with `error` set, for a
// target that cannot be used. A serial line's settings are the link's.
bool EndpointForTarget(const std::string& target, Transport& transport, Endpoint& where, std::string& error);

// A target that is neither empty nor tcp://: a device, port or file of
// this system.
bool EndpointForLocalTarget(const std::string& target, Transport& transport, Endpoint& where, std::string& error);

// The host and port of a tcp:// target; false when `target` is not one.
bool ParseTcpTarget(const std::string& target, std::string& host, std::string& port, std::string& error);

// --baud, --data-bits, --stop-bits and --timeout into the port settings and
// the target's options; false, with `error` set, when one is not a positive
// whole number or the time-out is longer than a day.
bool ReadPortOptions(const Arguments& a, SerialSettings& settings, TargetOptions& options, std::string& error);
