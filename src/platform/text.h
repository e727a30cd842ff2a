// Small helpers for the plug-in's Windows-1251 texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvel::platform {

// The text without blanks (space, tab, vertical tab) at either end.
std::string_view trimBlanks(std::string_view text);

// A decimal 32-bit integer with an optional "+" or "-", blanks around it allowed; std::nullopt
// for an empty text, any other character, or a value out of range.
std::optional<int32_t> parseDecimalInteger(std::string_view text);

}  // namespace tarvel::platform
