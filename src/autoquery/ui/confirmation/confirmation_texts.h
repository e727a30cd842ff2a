// The texts of the confirmation of an automatic poll, TQueryForm: Windows-1251 bytes, converted
// while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::confirmation_text {

using platform::operator""_cp1251;

// The count-down before an automatic poll.
inline constexpr auto& kQueryFormCaption = u8"Подтверждение автозапроса на АЗС"_cp1251;
inline constexpr auto& kQueryAttention = u8"Внимание! У Вас включен автозапрос для АЗС: "_cp1251;
// The run of blanks leaves room for the counter lbS.
inline constexpr auto& kQueryCountDown =
    u8"Автозапрос будет произведен через               секунд"_cp1251;
inline constexpr auto& kQueryWarning =
    u8"Внимание!!! Если у Вас сейчас проводятся какие-либо операции с БД, лучше нажмите "
    u8"\"отменить\", дождитесь завершения операции и проведите обмен с АЗС вручную. Если "
    u8"никаких операций с БД не ведется, нажмите \"Применить\" для проведения обмена "
    u8"информацией или дождитесь обратного отсчета."_cp1251;

}  // namespace tarvel::autoquery::confirmation_text
