#include "autosend/core/send_interval.h"

#include <algorithm>
#include <cmath>

#include "platform/rounding.h"

namespace tarvel::autosend {

int32_t effectiveIntervalHours(int32_t storedHours) {
  return std::clamp(storedHours, kMinimumIntervalHours, kMaximumIntervalHours);
}

int32_t roundedIntervalHours(double editorValue) {
  if (std::isnan(editorValue)) return kMinimumIntervalHours;
  const double bounded = std::clamp(platform::roundHalfToEven(editorValue),
                                    double{kMinimumIntervalHours}, double{kMaximumIntervalHours});
  return static_cast<int32_t>(bounded);
}

}  // namespace tarvel::autosend
