// Rounding to a whole number the way the system always rounded (intervals, pixel positions):
// an exact half goes to the even neighbour, unlike std::round, which takes halves away from 0.
#pragma once

#include <cmath>

namespace tarvel::platform {

// The whole number nearest to value; an exact half goes to the even one (0.5 -> 0, 1.5 -> 2,
// 2.5 -> 2, -2.5 -> -2). Infinities and NaN come back unchanged.
inline double roundHalfToEven(double value) {
  if (!std::isfinite(value)) return value;
  const double lower = std::floor(value);
  const double distance = value - lower;
  if (distance < 0.5) return lower;
  if (distance > 0.5) return lower + 1;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace tarvel::platform
