#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// What a printer can be asked without printing or changing anything: the
// real-time status requests (DLE EOT n) and the identity requests (GS I n),
// with the meaning of every bit and text of their answers. Texts are code
// page 936; keys are English, for machine-readable output.

// DLE EOT n: each answer is one byte.
struct StatusRequest {
  std::uint8_t n;         // 1 printer, 2 offline cause, 3 error cause, 4 roll paper sensor
  std::string_view key;   // names the answer
  std::string_view name;  // names the answer in a "no answer" line
};

// A meaning carried by bits of one status byte: "on" when any of them is set.
struct StatusBit {
  std::uint8_t request;   // n of DLE EOT n
  std::uint8_t mask;
  std::string_view key;   // named for the "on" state
  std::string_view on;    // the line shown when on
  std::string_view off;   // the line shown when off; empty: no line
  bool problem;           // "on" keeps the printer from printing
};

// GS I n: a byte (model, type, firmware version ids) or a text.
struct IdentityRequest {
  std::uint8_t n;
  bool text;              // answered as 5F, text, 00
  std::string_view key;
  std::string_view label; // shown before the value
};

// A type id bit (GS I 2) the printer may have.
struct TypeBit {
  std::uint8_t mask;
  std::string_view key;
  std::string_view text;
};

std::span<const StatusRequest> StatusRequests();
std::span<const StatusBit> StatusBits();
// In asking order; a text request follows the byte requests.
std::span<const IdentityRequest> IdentityRequests();
std::span<const TypeBit> TypeBits();

// A status byte has bits 0 and 7 off and bits 1 and 4 on; any other byte
// is not an answer to DLE EOT.
bool IsStatusByte(std::uint8_t b);
// An identity byte has bits 4 and 7 off.
bool IsIdentityByte(std::uint8_t b);

// DLE EOT 1: the printer is offline; it takes no GS I until it is back.
inline constexpr std::uint8_t kOfflineBit = 0x08;
inline constexpr std::uint8_t kTextHeader = 0x5F;  // starts a text answer
inline constexpr std::size_t kMaxTextLength = 80;  // bytes between header and NUL
