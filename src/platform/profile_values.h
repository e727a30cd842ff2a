// The text forms of typed profile values, as the settings file has always held them: integers
// in decimal (hexadecimal accepted on reading), booleans as "1"/"0", date-times as
// "dd.mm.yyyy hh:nn:ss" and times of day as "hh:nn:ss". A text that does not parse gives
// std::nullopt, so the caller's default applies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel::platform {

// Optional sign, then decimal digits or hexadecimal digits after "0x" or "0X" ("$" is no
// prefix: "$10" is no number); blanks around it are ignored. Decimals must fit in 32 signed bits;
// up to 32 bits of hexadecimal wrap into the signed range ("0xFFFFFFFF" is -1). Anything else is
// std::nullopt.
std::optional<int32_t> parseProfileInteger(std::string_view text);

// Any integer other than 0 is true; a text that is no integer is std::nullopt.
std::optional<bool> parseProfileBool(std::string_view text);

// "dd.mm.yyyy", "dd.mm.yyyy hh:nn" or "dd.mm.yyyy hh:nn:ss" (one or two digits for each part
// but the four-digit year) as a day count since 30.12.1899.
std::optional<double> parseProfileDateTime(std::string_view text);

// "hh:nn" or "hh:nn:ss", 24-hour, as a fraction of a day.
std::optional<double> parseProfileTime(std::string_view text);

std::string formatProfileInteger(int32_t value);
std::string formatProfileBool(bool value);
// "dd.mm.yyyy hh:nn:ss", or "dd.mm.yyyy" alone at exactly midnight; 0 is "30.12.1899".
// A value that is not finite or lies outside the years 1 to 9999 throws std::invalid_argument.
std::string formatProfileDateTime(double value);
// The time of day of value as "hh:nn:ss"; the date part is dropped.
std::string formatProfileTime(double value);

}  // namespace tarvel::platform
