// The time-line chart's own texts: Windows-1251 bytes converted while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::chart::text {

using platform::operator""_cp1251;

// An unreadable session time: the text in quotes, then the station's name.
inline constexpr auto& kUnreadableTimeBefore = u8"Неверное время сеанса связи \""_cp1251;
inline constexpr auto& kUnreadableTimeAfter = u8"\" у АЗС "_cp1251;

// A whole picture that would not fit the memory set aside for it; followed by its size.
inline constexpr auto& kPictureTooLarge =
    u8"График связи слишком велик для одного рисунка: "_cp1251;
inline constexpr auto& kPixels = u8" точек"_cp1251;

// Hints over the chart.
inline constexpr auto& kOverlapHeader = u8"Возможное наложение сеансов:"_cp1251;
inline constexpr auto& kAndMore = u8"и ещё АЗС: "_cp1251;

// The chart's accessible description before the keys reached an overlap.
inline constexpr auto& kNoOverlaps = u8"Наложений сеансов нет"_cp1251;
inline constexpr auto& kOverlapsCount = u8"Наложений сеансов: "_cp1251;
inline constexpr auto& kOverlapKeys =
    u8". Стрелки вправо и влево переходят от одного к другому"_cp1251;

}  // namespace tarvel::autoquery::chart::text
