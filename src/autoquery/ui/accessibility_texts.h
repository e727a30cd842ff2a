// What a screen reader says of the office's controls whose captions do not say it (track bars,
// lists, the switch) or say it with drawn symbols ("<<<", "x"). Windows-1251 bytes, converted
// while compiling, like every text of the windows.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::text {

using platform::operator""_cp1251;

// The office window.
inline constexpr auto& kStationListName = u8"Список АЗС"_cp1251;
inline constexpr auto& kScaleName = u8"Масштаб графика"_cp1251;
inline constexpr auto& kForecastName = u8"Прогноз, дней"_cp1251;

// The schedule editor.
inline constexpr auto& kSwitchName = u8"Автоматический запрос"_cp1251;
inline constexpr auto& kDailyTimesName = u8"Время соединения, ежедневно"_cp1251;
inline constexpr auto& kWeekdayTimesName = u8"Время соединения по дням недели"_cp1251;
inline constexpr auto& kTimeFieldName = u8"Время сеанса связи"_cp1251;
inline constexpr auto& kAddTimeName = u8"Добавить время"_cp1251;
inline constexpr auto& kRemoveTimeName = u8"Удалить время"_cp1251;
// A weekday without a session, in the "Время" column.
inline constexpr auto& kNoTimeName = u8"нет сеанса"_cp1251;

}  // namespace tarvel::autoquery::text
