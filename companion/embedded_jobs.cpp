#include "embedded_jobs.h"

// sample_job_list.inc holds JOB(id) for every stored job; the bytes are
// placed by the assembler (embedded_jobs.S) between begin and end labels.
#define JOB(id) extern "C" const unsigned char sample_job_##id##_begin[], sample_job_##id##_end[];
#include "sample_job_list.inc"
#undef JOB

namespace {

struct Job {
  int id;
  const unsigned char* begin;
  const unsigned char* end;
};

#define JOB(id) {id, sample_job_##id##_begin, sample_job_##id##_end},
const Job kJobs[] = {
#include "sample_job_list.inc"
};
#undef JOB

class EmbeddedStore : public SampleStore {
 public:
  std::optional<std::span<const std::uint8_t>> Find(int id) const override {
    for (const Job& job : kJobs)
      if (job.id == id) return std::span<const std::uint8_t>(job.begin, static_cast<std::size_t>(job.end - job.begin));
    return std::nullopt;
  }
};

}  // namespace

const SampleStore& EmbeddedSampleJobs() {
  static const EmbeddedStore store;
  return store;
}
