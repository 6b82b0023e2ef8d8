#pragma once

#include <windows.h>

#include "perf/sample_job.h"

// Stored print jobs embedded in a module as resources of type "TEXT_FILE",
// named by their numeric id, language Chinese (PRC). The bytes stay in the
// module's image: nothing is copied or freed.
class ResourceSampleStore : public SampleStore {
 public:
  explicit ResourceSampleStore(HMODULE module) : module_(module) {}
  std::optional<std::span<const std::uint8_t>> Find(int id) const override;

 private:
  HMODULE module_;
};

// The jobs embedded in this program.
const SampleStore& SampleJobsFromResources();
