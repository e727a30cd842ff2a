#include "autosend/core/send_question.h"

#include "autosend/core/autosend_texts.h"
#include "settings/connection_type.h"

namespace tarvel::autosend {

std::string sendQuestionTitle() { return text::kQuestionTitle; }

std::string sendQuestionText(int32_t viaSend) {
  std::string question = std::string(text::kSendingIsOn) + "\r" + text::kSendNow;
  if (viaSend == settings::ConnectionType::Modem)
    question += std::string("\r") + text::kOfficeMustAllow;
  return question;
}

}  // namespace tarvel::autosend
