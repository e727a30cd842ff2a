#include "plugin/core/host_variant.h"

#include <stdexcept>

#include "platform/text.h"
#include "plugin/core/plugin_texts.h"

namespace tarvel::plugin {

std::optional<int32_t> variantNumber(const HostVariant& value) {
  switch (value.kind) {
    case HostVariant::Kind::Empty:
      return 0;
    case HostVariant::Kind::Null:
      return std::nullopt;
    case HostVariant::Kind::Integer:
      return value.integer;
    case HostVariant::Kind::Text: {
      const std::optional<int32_t> number = platform::parseDecimalInteger(value.text);
      if (!number) throw std::runtime_error("'" + value.text + text::kNotANumber);
      return number;
    }
  }
  return std::nullopt;
}

bool variantEqualsNumber(const HostVariant& value, int32_t number) {
  const std::optional<int32_t> converted = variantNumber(value);
  return converted && *converted == number;
}

}  // namespace tarvel::plugin
