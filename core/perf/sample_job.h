#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "link/printer_link.h"
#include "ui/panel.h"

// Where the stored print jobs live. A job is an opaque byte string with a
// numeric id, owned by the store and never changed.
class SampleStore {
 public:
  virtual ~SampleStore() = default;
  // The bytes of the job with this id, or nothing when it is not stored.
  virtual std::optional<std::span<const std::uint8_t>> Find(int id) const = 0;
};

// Sends the stored job with this id unchanged in one write, then resets the
// link. A job that is not stored sends nothing and tells the user so.
void SendSampleJob(PrinterLink& link, const SampleStore& store, Panel& panel, int id);
