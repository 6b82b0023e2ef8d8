#pragma once

#include <array>
// std::chrono's durations come with <condition_variable>; <chrono> itself
// is left out, as its unit names hold a sign (µ) the GBK build cannot encode.
#include <condition_variable>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Connection;

// What a printer answered to the status and identity requests.
struct PrinterAnswers {
  enum class Outcome {
    Answered,  // at least the printer status came back
    Silent,    // nothing came back
    Garbled,   // only bytes that are no status came back
    Failed,    // the connection failed before any answer
  };
  Outcome outcome = Outcome::Silent;
  std::string failure;                               // Failed: the connection's reason
  std::array<std::optional<std::uint8_t>, 4> status; // answers to DLE EOT 1..4

  struct Identity {
    std::uint8_t n;       // GS I n
    std::string value;    // the id byte, or the text without header and NUL
  };
  std::vector<Identity> identity;  // in asking order, only those answered
};

// How long one request waits for its answer.
inline constexpr std::chrono::milliseconds kAnswerTimeout{400};

// Asks the printer on `connection` for its status (DLE EOT 1 to 4) and,
// when it is online, its identity (GS I). Bytes already waiting are thrown
// away before each request, and each request waits at most `timeout`. A
// printer silent to the first request is asked nothing more; one that
// answers no model id is asked no other identity.
PrinterAnswers QueryPrinter(Connection& connection, std::chrono::milliseconds timeout = kAnswerTimeout);
