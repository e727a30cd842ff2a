#include "platform/text.h"

#include <charconv>

namespace tarvel::platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int32_t> parseDecimalInteger(std::string_view text) {
  std::string_view digits = trimBlanks(text);
  // from_chars takes a minus sign but not a plus sign.
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace tarvel::platform
