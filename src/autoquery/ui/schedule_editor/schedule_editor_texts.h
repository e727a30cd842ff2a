// The texts of the schedule editor of one station, TAutoItemSettForm (the captions of the
// connection types and kinds it shares with the schedule tool: core/schedule_captions.h), and what
// a screen reader says of its controls whose captions do not say it. Windows-1251 bytes, converted
// while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::schedule_editor_text {

using platform::operator""_cp1251;

inline constexpr auto& kItemFormCaption = u8"Настройка автоматического запроса на АЗС"_cp1251;
inline constexpr auto& kStationNameCaption = u8"Название АЗС:"_cp1251;
inline constexpr auto& kEnableCaption = u8"Включить автоматический запрос данных с АЗС"_cp1251;
inline constexpr auto& kAskCaption = u8"Запрашивать разрешение на автозапрос"_cp1251;
inline constexpr auto& kConnectionGroupCaption = u8"Вид связи:"_cp1251;
inline constexpr auto& kKindGroupCaption = u8"Время связи:"_cp1251;
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

// For listeners.
inline constexpr auto& kSwitchName = u8"Автоматический запрос"_cp1251;
inline constexpr auto& kDailyTimesName = u8"Время соединения, ежедневно"_cp1251;
inline constexpr auto& kWeekdayTimesName = u8"Время соединения по дням недели"_cp1251;
inline constexpr auto& kTimeFieldName = u8"Время сеанса связи"_cp1251;
inline constexpr auto& kAddTimeName = u8"Добавить время"_cp1251;
inline constexpr auto& kRemoveTimeName = u8"Удалить время"_cp1251;
// A weekday without a session, in the "Время" column.
inline constexpr auto& kNoTimeName = u8"нет сеанса"_cp1251;

}  // namespace tarvel::autoquery::schedule_editor_text
