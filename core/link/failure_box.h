#pragma once

#include <optional>
#include <string>

#include "link/transport.h"

// A message box as the program shows a link failure (GBK texts).
struct FailureBox {
  std::string text;
  std::string caption;
};

// The box for a failure, or nothing for failures the program keeps silent
// (USB, and writes to serial, parallel and USB ports, as it always has).
std::optional<FailureBox> BoxFor(const LinkFailure& failure);
