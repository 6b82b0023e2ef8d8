#include "config/k636/first_line.h"

#include <cmath>

#include "config/distance_entry.h"
#include "config/k636/k636_ids.h"
#include "config/k636/refusal.h"

namespace k636 {

namespace {

// An empty, non-numeric or tiny entry means the user has not measured.
bool IsMeasurement(float millimetres) { return std::isfinite(millimetres) && millimetres > 1.0f; }

}  // namespace

std::optional<Transmission> AdjustFirstLine(Panel& panel, double base, DistanceCodes codes) {
  const float actual = config::ReadDistanceEntry(panel, IDC_QUICK_ACTUAL_EDIT);
  const float ideal = config::ReadDistanceEntry(panel, IDC_QUICK_IDEAL_EDIT);
  if (!IsMeasurement(actual) || !IsMeasurement(ideal)) return Refuse(panel, Refusal::InvalidMeasurement);

  // Summed in double precision, then narrowed as every distance is.
  const auto load = static_cast<float>(ideal + base - actual);
  if (load < 0) return Refuse(panel, Refusal::DistanceTooSmall);
  Transmission t;
  if (!SendDistancePair(t, codes, load)) return Refuse(panel, Refusal::InvalidMeasurement);
  return t;
}

}  // namespace k636
