// Reading the host's variant answers as numbers.
#pragma once

#include <optional>

#include "tarvel/contract.h"

namespace tarvel::plugin {

// The variant as a number: an integer as it is, Empty as 0, a text holding a decimal integer as
// that integer; Null has no number (std::nullopt). Throws std::runtime_error for a text that is
// not a number.
std::optional<int32_t> variantNumber(const HostVariant& value);

// Whether the variant, compared as a number, equals number; Null equals nothing.
bool variantEqualsNumber(const HostVariant& value, int32_t number);

}  // namespace tarvel::plugin
