#include "autosend/core/shift_number.h"

#include <stdexcept>

#include "autosend/core/autosend_texts.h"
#include "platform/text.h"

namespace tarvel::autosend {
namespace {

std::runtime_error notAnInteger(const std::string& answer) {
  return std::runtime_error(text::kShiftNumberNotInteger + answer + "\"");
}

int32_t parseDecimal(const std::string& answer) {
  const std::optional<int32_t> value = platform::parseDecimalInteger(answer);
  if (!value) throw notAnInteger(answer);
  return *value;
}

}  // namespace

int32_t shiftNumberFromHost(const HostVariant& answer) {
  switch (answer.kind) {
    case HostVariant::Kind::Integer:
      return answer.integer;
    case HostVariant::Kind::Text:
      return parseDecimal(answer.text);
    case HostVariant::Kind::Empty:
      // An unassigned variant converts to 0, as the installation kind is read too.
      return 0;
    case HostVariant::Kind::Null:
      break;
  }
  throw std::runtime_error(text::kNoShiftNumber);
}

}  // namespace tarvel::autosend
