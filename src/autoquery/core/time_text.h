// The one reader of a schedule's time text, "hh:nn": the hours are its first two characters and
// the minutes its fourth and fifth, each two decimal digits. The chart places a session by what
// the reader gives, the polling engine also asks for the clock's own form (a poll is due only
// when the text is exactly what the clock shows), and the editor knows a time typed only in part
// by a digit missing.
#pragma once

#include <optional>
#include <string_view>

namespace tarvel::autoquery {

struct TimeText {
  int hours = 0;
  int minutes = 0;
  // The text is exactly five characters with a colon in the middle: the form of a moment
  // formatted "hh:nn".
  bool clockForm = false;
};

// The hours and minutes of a time text, or nothing when the text is shorter than five characters
// or one of the four digit places holds no decimal digit. The third character and any after the
// fifth are not read, and values are not checked against a clock: "25:70" reads as 25 hours and
// 70 minutes.
std::optional<TimeText> readTimeText(std::string_view text);

}  // namespace tarvel::autoquery
