// The captions of a schedule's connection types and kinds, as the schedule editor shows them and
// the schedule tool lists them: Windows-1251 bytes, converted while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::text {

using platform::operator""_cp1251;

inline constexpr auto& kModemCaption = u8"Модемное соединение"_cp1251;
inline constexpr auto& kMailCaption = u8"Электронный почтовый ящик"_cp1251;
inline constexpr auto& kDirectIpCaption = u8"Прямое IP соединение"_cp1251;
inline constexpr auto& kDailyCaption = u8"Ежедневное"_cp1251;
inline constexpr auto& kWeekdaysCaption = u8"По дням недели"_cp1251;
inline constexpr auto& kMonthDatesCaption = u8"По датам месяца"_cp1251;

}  // namespace tarvel::autoquery::text
