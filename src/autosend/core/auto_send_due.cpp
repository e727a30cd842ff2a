#include "autosend/core/auto_send_due.h"

#include <cmath>

#include "autosend/core/send_interval.h"
#include "settings/send_moment.h"

namespace tarvel::autosend {
namespace {

int64_t wholeMilliseconds(platform::DateTime value) {
  return std::llround(value * static_cast<double>(platform::kMillisecondsPerDay));
}

constexpr int64_t kMillisecondsPerHour = 3'600'000;

}  // namespace

bool isSetTimeDue(platform::DateTime now, platform::DateTime setTime) {
  return platform::formatHourMinute(now) == platform::formatHourMinute(setTime);
}

bool isIntervalDue(platform::DateTime now, platform::DateTime lastAutoSendTime,
                   int32_t intervalHours) {
  // Day counts are doubles: "last + N/24" can miss the exact boundary by a rounding error.
  const int64_t dueFrom = wholeMilliseconds(lastAutoSendTime) +
                          int64_t{effectiveIntervalHours(intervalHours)} * kMillisecondsPerHour;
  return wholeMilliseconds(now) >= dueFrom;
}

bool isShiftDue(int32_t currentShiftNumber, int32_t lastSmena) {
  return currentShiftNumber != kNoShiftNumber && currentShiftNumber != lastSmena;
}

bool autoSendDue(const settings::InetSettings& inet, platform::DateTime now,
                 platform::DateTime setTime, std::optional<int32_t> currentShiftNumber) {
  switch (inet.WhenSend) {
    case settings::SendMoment::SetTime:
      return isSetTimeDue(now, setTime);
    case settings::SendMoment::EveryInterval:
      return isIntervalDue(now, inet.LastAutoSendTime, inet.SendInterval);
    case settings::SendMoment::ShiftClosed:
      return currentShiftNumber.has_value() && isShiftDue(*currentShiftNumber, inet.LastSmena);
    default:
      return false;
  }
}

}  // namespace tarvel::autosend
