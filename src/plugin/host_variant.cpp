#include "plugin/host_variant.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

namespace tarvel::plugin {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<int32_t> variantNumber(const HostVariant& value) {
  switch (value.kind) {
    case HostVariant::Kind::Empty: return 0;
    case HostVariant::Kind::Null: return std::nullopt;
    case HostVariant::Kind::Integer: return value.integer;
    case HostVariant::Kind::Text: {
      std::string_view digits = trimmed(value.text);
      if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
      int32_t number = 0;
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                                number);
      if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        // "'...' не является числом"
        throw std::runtime_error("'" + value.text +
                                 "' \xed\xe5 \xff\xe2\xeb\xff\xe5\xf2\xf1\xff \xf7\xe8\xf1\xeb\xee\xec");
      }
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
