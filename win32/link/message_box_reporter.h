#pragma once

#include "link/transport.h"

// The program's way of showing a link failure: the box the core names for
// it, without owner, or nothing.
class MessageBoxReporter : public Reporter {
 public:
  void Report(const LinkFailure& failure) override;
};

// Paints the calling thread's windows that wait for it; input stays queued
// until the wait is over. For waits on a network printer.
void PaintPendingWindows();
