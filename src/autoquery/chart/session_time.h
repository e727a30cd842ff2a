// The time text of a session as the chart reads it: the hours are the first two characters and
// the minutes the fourth and fifth, each two decimal digits; the third character is not read.
#pragma once

#include <optional>
#include <string_view>

namespace tarvel::autoquery::chart {

struct SessionTime {
  int hours = 0;
  int minutes = 0;
};

// The hours and minutes of a time text, or nothing when the text is shorter than five characters
// or those characters are not decimal digits. Values are not checked against a clock: "25:70"
// reads as 25 hours and 70 minutes and lands where those numbers put it.
std::optional<SessionTime> readSessionTime(std::string_view text);

}  // namespace tarvel::autoquery::chart
