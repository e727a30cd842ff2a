#include "autosend/shift_number.h"

#include <stdexcept>

#include "platform/text.h"

namespace tarvel::autosend {
namespace {

std::runtime_error notAnInteger(const std::string& text) {
  // "Номер смены не является целым числом: "
  return std::runtime_error(
      "\xcd\xee\xec\xe5\xf0 \xf1\xec\xe5\xed\xfb \xed\xe5 \xff\xe2\xeb\xff\xe5\xf2\xf1\xff "
      "\xf6\xe5\xeb\xfb\xec \xf7\xe8\xf1\xeb\xee\xec: \"" +
      text + "\"");
}

int32_t parseDecimal(const std::string& text) {
  const std::optional<int32_t> value = platform::parseDecimalInteger(text);
  if (!value) throw notAnInteger(text);
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
    case HostVariant::Kind::Null:
      break;
  }
  // "Программа не сообщила номер смены"
  throw std::runtime_error(
      "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0 \xed\xe5 \xf1\xee\xee\xe1\xf9\xe8\xeb\xe0 "
      "\xed\xee\xec\xe5\xf0 \xf1\xec\xe5\xed\xfb");
}

}  // namespace tarvel::autosend
