// The texts of the office's windows: the confirmation of an automatic poll, the office window
// and the schedule editor. Windows-1251 bytes, converted while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::text {

using platform::operator""_cp1251;

// TQueryForm: the count-down before an automatic poll.
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

// TAutoZaprosOfficeForm.
inline constexpr auto& kOfficeFormCaption = u8"Автоматический запрос данных с АЗС"_cp1251;

// TAutoItemSettForm: the schedule editor of one station.
inline constexpr auto& kItemFormCaption = u8"Настройка автоматического запроса на АЗС"_cp1251;
inline constexpr auto& kStationNameCaption = u8"Название АЗС:"_cp1251;
inline constexpr auto& kEnableCaption = u8"Включить автоматический запрос данных с АЗС"_cp1251;
inline constexpr auto& kAskCaption = u8"Запрашивать разрешение на автозапрос"_cp1251;
inline constexpr auto& kConnectionGroupCaption = u8"Вид связи:"_cp1251;
inline constexpr auto& kModemCaption = u8"Модемное соединение"_cp1251;
inline constexpr auto& kMailCaption = u8"Электронный почтовый ящик"_cp1251;
inline constexpr auto& kDirectIpCaption = u8"Прямое IP соединение"_cp1251;
inline constexpr auto& kKindGroupCaption = u8"Время связи:"_cp1251;
inline constexpr auto& kDailyCaption = u8"Ежедневное"_cp1251;
inline constexpr auto& kWeekdaysCaption = u8"По дням недели"_cp1251;
inline constexpr auto& kMonthDatesCaption = u8"По датам месяца"_cp1251;
inline constexpr auto& kTimesGroupCaption = u8"Параметры связи"_cp1251;
inline constexpr auto& kConnectionTimeCaption = u8"Время соединения:"_cp1251;
inline constexpr auto& kGiveTimeCaption = u8"Укажите время"_cp1251;
inline constexpr auto& kAddTimeCaption = u8"<<<  Добавить время"_cp1251;
inline constexpr auto& kRemoveTimeCaption = u8"  x     Удалить время"_cp1251;
inline constexpr auto& kWeekdaysColumn = u8"Дни недели"_cp1251;
inline constexpr auto& kTimeColumn = u8"Время"_cp1251;
inline constexpr auto& kNoSessions = u8"Нет назначенных сеансов связи!"_cp1251;
// A time with blank digit positions would stand in the file as text that never fires and that
// the time-line chart cannot read.
inline constexpr auto& kIncompleteTime =
    u8"Время сеанса связи указано не полностью! Укажите часы и минуты двумя цифрами каждые, "
    u8"например 08:05."_cp1251;

}  // namespace tarvel::autoquery::text
