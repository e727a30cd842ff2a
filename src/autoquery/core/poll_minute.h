// Whole minutes, date and time, as the polling engine counts them: one 08:05 told from the
// next day's.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace tarvel::autoquery {

inline constexpr int64_t kMinutesPerDay = 24 * 60;

// The minute a moment falls in, counted from the clock's epoch.
int64_t minuteSinceEpoch(platform::DateTime moment);

// The day such a minute falls in (negative before the epoch).
int64_t dayOf(int64_t minute);

// The first moment of such a minute.
platform::DateTime startOfMinute(int64_t minute);

}  // namespace tarvel::autoquery
