// The station auto-send's texts: the settings dialog, the question before a send and the
// errors about the host's shift number.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autosend::text {

using platform::operator""_cp1251;

// The settings dialog.
inline constexpr auto& kFormCaption = u8"Настройка автоматической отправки отчетов в офис"_cp1251;
inline constexpr auto& kUseAutoSend =
    u8"Использовать автоматическую отправку отчетов в офис"_cp1251;
// The tab captions carry the blanks the form spaced them with.
inline constexpr auto& kConnectionTab = u8"  Тип подключения к офису  "_cp1251;
inline constexpr auto& kViaModem = u8"Через модемное соединение"_cp1251;
inline constexpr auto& kViaMail = u8"Через электронный почтовый ящик"_cp1251;
inline constexpr auto& kViaInet = u8"Через прямое IP соединение"_cp1251;
inline constexpr auto& kMomentTab = u8"   Тип отправки отчетов  "_cp1251;
inline constexpr auto& kOnShiftClose = u8"При закрытии смены"_cp1251;
// The blanks leave room for the interval's editor.
inline constexpr auto& kOnPeriod = u8"Периодически, каждые                    часов"_cp1251;
inline constexpr auto& kLastPeriodicSend = u8"Последняя периодическая отправка:"_cp1251;
inline constexpr auto& kResetLastSend = u8"Сбросить последнее время обмена!!!"_cp1251;
inline constexpr auto& kOnTime = u8"Периодически в назначенное время:"_cp1251;
inline constexpr auto& kMiscellaneousTab = u8"      Разное       "_cp1251;
inline constexpr auto& kEnableQuestion =
    u8"Выводить запрос на разрешение автоматичекой отправки"_cp1251;
inline constexpr auto& kNeverSent = u8"Не производилась"_cp1251;

// The question before a send. The last word of the second line begins with the Latin "c", as
// the operators have always seen it; the third line has no closing parenthesis.
inline constexpr auto& kQuestionTitle = u8"Связь с офисом. Автоматическая отправка отчетов"_cp1251;
inline constexpr auto& kSendingIsOn = u8"У вас включена автоматическая отправка отчетов"_cp1251;
inline constexpr auto& kSendNow = u8"Сформировать и отправить отчет cейчас?"_cp1251;
inline constexpr auto& kOfficeMustAllow = u8"(В офисе должно быть включено разрешение связи"_cp1251;

// The host's shift number.
inline constexpr auto& kShiftNumberNotInteger = u8"Номер смены не является целым числом: \""_cp1251;
inline constexpr auto& kNoShiftNumber = u8"Программа не сообщила номер смены"_cp1251;

}  // namespace tarvel::autosend::text
