#include "platform/profile_values.h"

#include <cstdio>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/text.h"

namespace tarvel::platform {
namespace {

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a number of minDigits..maxDigits decimal digits from the front of text.
std::optional<int> takeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
  std::size_t count = 0;
  int value = 0;
  while (count < text.size() && count < maxDigits && text[count] >= '0' && text[count] <= '9') {
    value = value * 10 + (text[count] - '0');
    ++count;
  }
  if (count < minDigits) return std::nullopt;
  text.remove_prefix(count);
  return value;
}

bool takeSeparator(std::string_view& text, char separator) {
  if (text.empty() || text.front() != separator) return false;
  text.remove_prefix(1);
  return true;
}

struct TimeParts {
  int hour = 0, minute = 0, second = 0;
};

// "hh:nn" or "hh:nn:ss" filling the whole text.
std::optional<TimeParts> parseTimeParts(std::string_view text) {
  TimeParts parts;
  const auto hour = takeNumber(text, 1, 2);
  if (!hour || !takeSeparator(text, ':')) return std::nullopt;
  const auto minute = takeNumber(text, 1, 2);
  if (!minute) return std::nullopt;
  parts.hour = *hour;
  parts.minute = *minute;
  if (takeSeparator(text, ':')) {
    const auto second = takeNumber(text, 1, 2);
    if (!second) return std::nullopt;
    parts.second = *second;
  }
  if (!text.empty()) return std::nullopt;
  return parts;
}

}  // namespace

std::optional<int32_t> parseProfileInteger(std::string_view text) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hexadecimal = false;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hexadecimal = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  uint64_t magnitude = 0;
  for (const char c : text) {
    const int digit = hexadecimal ? hexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hexadecimal ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFF'FFFFull) return std::nullopt;
  }
  if (hexadecimal) {
    // Thirty-two bits of hexadecimal are a bit pattern: they wrap into the signed range.
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  if (negative) {
    if (magnitude > 0x8000'0000ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  }
  if (magnitude > 0x7FFF'FFFFull) return std::nullopt;
  return static_cast<int32_t>(magnitude);
}

std::optional<bool> parseProfileBool(std::string_view text) {
  const auto value = parseProfileInteger(text);
  if (!value) return std::nullopt;
  return *value != 0;
}

std::optional<double> parseProfileDateTime(std::string_view text) {
  text = trimBlanks(text);
  const auto day = takeNumber(text, 1, 2);
  if (!day || !takeSeparator(text, '.')) return std::nullopt;
  const auto month = takeNumber(text, 1, 2);
  if (!month || !takeSeparator(text, '.')) return std::nullopt;
  const auto year = takeNumber(text, 4, 4);
  if (!year) return std::nullopt;
  TimeParts time;
  if (!text.empty()) {
    if (!takeSeparator(text, ' ')) return std::nullopt;
    const auto parts = parseTimeParts(text);
    if (!parts) return std::nullopt;
    time = *parts;
  }
  try {
    return encodeDateTime(*year, *month, *day, time.hour, time.minute, time.second);
  } catch (const std::invalid_argument&) {
    return std::nullopt;
  }
}

std::optional<double> parseProfileTime(std::string_view text) {
  const auto parts = parseTimeParts(trimBlanks(text));
  if (!parts) return std::nullopt;
  try {
    return encodeTime(parts->hour, parts->minute, parts->second);
  } catch (const std::invalid_argument&) {
    return std::nullopt;
  }
}

std::string formatProfileInteger(int32_t value) { return std::to_string(value); }

std::string formatProfileBool(bool value) { return value ? "1" : "0"; }

std::string formatProfileDateTime(double value) {
  const DateTimeParts parts = decodeDateTime(value);
  char text[40];
  if (parts.hour == 0 && parts.minute == 0 && parts.second == 0 && parts.millisecond == 0) {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", parts.day, parts.month, parts.year);
  } else {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", parts.day, parts.month,
                  parts.year, parts.hour, parts.minute, parts.second);
  }
  return text;
}

std::string formatProfileTime(double value) {
  const DateTimeParts parts = decodeDateTime(value);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.hour, parts.minute, parts.second);
  return text;
}

}  // namespace tarvel::platform
