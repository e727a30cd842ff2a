// The platform layer's own texts: the buttons of the operator dialogs and of the settings
// dialogs, the message of an error that carries none, and the clock's errors.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::platform::text {

using platform::operator""_cp1251;

inline constexpr auto& kYes = u8"Да"_cp1251;
inline constexpr auto& kNo = u8"Нет"_cp1251;
inline constexpr auto& kOk = u8"ОК"_cp1251;
inline constexpr auto& kCancel = u8"Отмена"_cp1251;
inline constexpr auto& kApplyButton = u8"Применить"_cp1251;
inline constexpr auto& kCancelButton = u8"Отменить"_cp1251;
inline constexpr auto& kUnknownError = u8"Неизвестная ошибка"_cp1251;
// The clock's errors: a date or a time that does not exist, a date-time beyond its years.
inline constexpr auto& kInvalidDate = u8"Недопустимая дата"_cp1251;
inline constexpr auto& kInvalidTime = u8"Недопустимое время"_cp1251;
inline constexpr auto& kDateTimeOutOfRange =
    u8"Дата и время вне пределов 01.01.0001 - 31.12.9999"_cp1251;

}  // namespace tarvel::platform::text
