// The interval of the every-N-hours moment: whole hours in the settings, a fractional value in
// the dialog's editor.
#pragma once

#include <cstdint>

namespace tarvel::autosend {

// The range the settings hold: 0 (due at every check) to 999 hours.
inline constexpr int32_t kMinimumIntervalHours = 0;
inline constexpr int32_t kMaximumIntervalHours = 999;

// The range of the dialog's editor.
inline constexpr double kMinimumEditorInterval = 0.2;
inline constexpr double kMaximumEditorInterval = 999.0;

// The stored interval brought into 0..999. A value outside it can only come from a hand-edited
// file; the scheduler then runs with the value the dialog shows and would store on Apply,
// rather than with a negative or enormous number of hours.
int32_t effectiveIntervalHours(int32_t storedHours);

// The editor's value rounded to whole hours, an exact half to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2), then brought into 0..999.
int32_t roundedIntervalHours(double editorValue);

}  // namespace tarvel::autosend
