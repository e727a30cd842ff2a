#include "autosend/send_question.h"

namespace tarvel::autosend {
namespace {

constexpr int32_t kViaModem = 1;

// "У вас включена автоматическая отправка отчетов"
constexpr const char* kSendingIsOn =
    "\xd3 \xe2\xe0\xf1 \xe2\xea\xeb\xfe\xf7\xe5\xed\xe0 \xe0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5"
    "\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0 \xee\xf2\xf7\xe5\xf2\xee\xe2";
// "Сформировать и отправить отчет cейчас?" (the first letter of the last word is the Latin c,
// as the operators have always seen it)
constexpr const char* kSendNow =
    "\xd1\xf4\xee\xf0\xec\xe8\xf0\xee\xe2\xe0\xf2\xfc \xe8 \xee\xf2\xef\xf0\xe0\xe2\xe8\xf2\xfc "
    "\xee\xf2\xf7\xe5\xf2 c\xe5\xe9\xf7\xe0\xf1?";
// "(В офисе должно быть включено разрешение связи" (without a closing parenthesis)
constexpr const char* kOfficeMustAllow =
    "(\xc2 \xee\xf4\xe8\xf1\xe5 \xe4\xee\xeb\xe6\xed\xee \xe1\xfb\xf2\xfc \xe2\xea\xeb\xfe\xf7"
    "\xe5\xed\xee \xf0\xe0\xe7\xf0\xe5\xf8\xe5\xed\xe8\xe5 \xf1\xe2\xff\xe7\xe8";

}  // namespace

std::string sendQuestionTitle() {
  // "Связь с офисом. Автоматическая отправка отчетов"
  return "\xd1\xe2\xff\xe7\xfc \xf1 \xee\xf4\xe8\xf1\xee\xec. \xc0\xe2\xf2\xee\xec\xe0\xf2\xe8"
         "\xf7\xe5\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0 \xee\xf2\xf7\xe5\xf2\xee\xe2";
}

std::string sendQuestionText(int32_t viaSend) {
  std::string text = std::string(kSendingIsOn) + "\r" + kSendNow;
  if (viaSend == kViaModem) text += std::string("\r") + kOfficeMustAllow;
  return text;
}

}  // namespace tarvel::autosend
