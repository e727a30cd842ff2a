#include "autoquery/chart/session_time.h"

namespace tarvel::autoquery::chart {
namespace {

std::optional<int> twoDigits(char tens, char units) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!digit(tens) || !digit(units)) return std::nullopt;
  return (tens - '0') * 10 + (units - '0');
}

}  // namespace

std::optional<SessionTime> readSessionTime(std::string_view text) {
  if (text.size() < 5) return std::nullopt;
  const std::optional<int> hours = twoDigits(text[0], text[1]);
  const std::optional<int> minutes = twoDigits(text[3], text[4]);
  if (!hours || !minutes) return std::nullopt;
  return SessionTime{*hours, *minutes};
}

}  // namespace tarvel::autoquery::chart
