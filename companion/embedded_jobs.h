#pragma once

#include "perf/sample_job.h"

// The stored print jobs built into the command line, the same bytes the
// Windows program holds as resources.
const SampleStore& EmbeddedSampleJobs();
