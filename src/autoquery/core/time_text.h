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
// 70 minutes. Inline: the chart reads one for every session of a chain of thousands on each
// redraw.
constexpr std::optional<TimeText> readTimeText(std::string_view text) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.size() < 5 || !digit(text[0]) || !digit(text[1]) || !digit(text[3]) || !digit(text[4])) {
    return std::nullopt;
  }
  return TimeText{(text[0] - '0') * 10 + (text[1] - '0'), (text[3] - '0') * 10 + (text[4] - '0'),
                  text.size() == 5 && text[2] == ':'};
}

}  // namespace tarvel::autoquery
