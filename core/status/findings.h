#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "status/printer_query.h"

// One thing learned from the printer's answers.
struct Finding {
  // No answer; a bit's state; a status byte or id byte; the printer's text.
  using Value = std::variant<std::monostate, bool, int, std::string>;

  std::string key;   // English, for machine-readable output
  std::string text;  // the line shown (code page 936); empty: none
  Value value;
  bool problem = false;  // keeps the printer from printing
};

// In the order shown: each status answer (its byte, then its bits), or the
// line saying it did not come; then the identity. A query that got no
// status gives one line saying why.
std::vector<Finding> Findings(const PrinterAnswers& answers);

// The printer answered and nothing it said keeps it from printing.
bool ReadyToPrint(const PrinterAnswers& answers);

// The lines to show: when the printer answered, first whether it can print
// (and what keeps it from printing), then every finding's line; when it
// was silent, what to check.
std::vector<std::string> ResultLines(const PrinterAnswers& answers);

// "answered", "silent", "garbled" or "failed".
std::string_view OutcomeKey(PrinterAnswers::Outcome outcome);
