// The time text of a session as the chart reads it: the hours are the first two characters and
// the minutes the fourth and fifth, each two decimal digits; the third character is not read.
// Inline: the chart reads one for every session of a chain of thousands on each redraw.
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
constexpr std::optional<SessionTime> readSessionTime(std::string_view text) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.size() < 5 || !digit(text[0]) || !digit(text[1]) || !digit(text[3]) || !digit(text[4])) {
    return std::nullopt;
  }
  return SessionTime{(text[0] - '0') * 10 + (text[1] - '0'),
                     (text[3] - '0') * 10 + (text[4] - '0')};
}

}  // namespace tarvel::autoquery::chart
