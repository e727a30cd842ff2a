// When the shift reports are due: the rules of the three moments, as pure functions of the
// settings, the clock and the host's shift number, so that a timer only has to wake them.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "settings/inet_settings.h"

namespace tarvel::autosend {

// The shift number that stands for "no shift number": it is never recorded in LastSmena.
inline constexpr int32_t kNoShiftNumber = -1;

// Set time: due when now and setTime show the same "hh:nn"; seconds and the date take no part.
bool isSetTimeDue(platform::DateTime now, platform::DateTime setTime);

// Every N hours: due when now is at or after lastAutoSendTime + intervalHours, compared in whole
// milliseconds so that the exact boundary counts. lastAutoSendTime 0 (never) is due at once.
bool isIntervalDue(platform::DateTime now, platform::DateTime lastAutoSendTime,
                   int32_t intervalHours);

// Shift closed: due when the host's shift number differs from the one recorded at the last
// send, in either direction. kNoShiftNumber is never due, since it could never be recorded.
bool isShiftDue(int32_t currentShiftNumber, int32_t lastSmena);

// The rule of inet.WhenSend applied (AutoSendEnable is the caller's concern). setTime is the
// time the dialog's editor holds; currentShiftNumber is needed only in the shift mode and,
// when absent there, the reports are not due.
bool autoSendDue(const settings::InetSettings& inet, platform::DateTime now,
                 platform::DateTime setTime, std::optional<int32_t> currentShiftNumber);

}  // namespace tarvel::autosend
