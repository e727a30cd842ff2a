#include "autoquery/core/time_text.h"

namespace tarvel::autoquery {
namespace {

constexpr std::size_t kTimeTextLength = 5;

std::optional<int> twoDigits(char tens, char units) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!digit(tens) || !digit(units)) return std::nullopt;
  return (tens - '0') * 10 + (units - '0');
}

}  // namespace

std::optional<TimeText> readTimeText(std::string_view text) {
  if (text.size() < kTimeTextLength) return std::nullopt;
  const std::optional<int> hours = twoDigits(text[0], text[1]);
  const std::optional<int> minutes = twoDigits(text[3], text[4]);
  if (!hours || !minutes) return std::nullopt;
  return TimeText{*hours, *minutes, text.size() == kTimeTextLength && text[2] == ':'};
}

}  // namespace tarvel::autoquery
