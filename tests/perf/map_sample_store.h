#pragma once

#include <map>

#include "perf/sample_job.h"
#include "support/hex.h"

// Stored jobs held in memory, by id.
class MapSampleStore : public SampleStore {
 public:
  std::optional<std::span<const std::uint8_t>> Find(int id) const override {
    auto it = jobs.find(id);
    if (it == jobs.end()) return std::nullopt;
    return std::span<const std::uint8_t>(it->second);
  }
  std::map<int, Bytes> jobs;
};
