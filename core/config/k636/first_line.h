#pragma once

#include <optional>

#include "config/k636/setting_runs.h"

class Panel;

namespace k636 {

// The first-line adjustment of the single-sheet and roll-paper quick setups.
// The restore button leaves the load distance at `base` millimetres; the
// measured first line (edit 1008) and the wanted one (edit 1029) give the
// new load distance ideal + base - actual, sent under `codes`. Refused when
// a measurement is not above 1 mm or the new distance is negative or cannot
// be carried.
std::optional<Transmission> AdjustFirstLine(Panel& panel, double base, DistanceCodes codes);

}  // namespace k636
