#include "link/transport.h"

std::string Describe(const Endpoint& where) {
  if (where.kind != TransportKind::Network) return where.name;
  if (where.name.find(':') != std::string::npos) return "[" + where.name + "]:" + where.port;
  return where.name + ":" + where.port;
}
