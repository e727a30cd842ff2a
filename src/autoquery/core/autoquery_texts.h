// The office auto-query's own texts: Windows-1251 bytes converted while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::text {

using platform::operator""_cp1251;

// The name of a station nobody has named yet.
inline constexpr auto& kUndefinedName = u8"Неопределено"_cp1251;

// Reported to the host, kind 1, followed by the station's name.
inline constexpr auto& kQueryCancelled = u8"Отмена автозапроса для АЗС: "_cp1251;
inline constexpr auto& kQueryStarting = u8"Автозапрос на АЗС: "_cp1251;
// Reported to the host, kind 2, when its call-back is too old to start a query.
inline constexpr auto& kOldCallbackDaily =
    u8"Версия CallBack низкой версии, возможно нужно обновить Кремнекс Офис"_cp1251;
inline constexpr auto& kOldCallbackWeekdays =
    u8"Версия CallBack мала, возможно нужно обновить Кремнекс Офис"_cp1251;

// Reported to the host, kind 2, followed by the station's name and " (hh:nn)": a minute in
// which that station was due passed without a polling tick.
inline constexpr auto& kQueryMissed = u8"Пропущен автозапрос на АЗС: "_cp1251;
// Reported to the host, kind 2, in place of more than a few of those: the number of missed
// polls, " с " and " по " the first and last of their times, ", первые: " and the first of
// them, each as "name (hh:nn)".
inline constexpr auto& kQueriesMissed = u8"Пропущено автозапросов на АЗС: "_cp1251;
inline constexpr auto& kMissedFrom = u8" с "_cp1251;
inline constexpr auto& kMissedTo = u8" по "_cp1251;
inline constexpr auto& kMissedFirst = u8", первые: "_cp1251;

// Raised by a save of a registry that holds more items than the file is read for, followed by
// the bound.
inline constexpr auto& kTooManyItems =
    u8"Расписания не сохранены: число АЗС больше допустимого "_cp1251;

// Raised by a save into a file whose Count is no count (none of its items were loaded),
// followed by the value as the file holds it.
inline constexpr auto& kCountNotANumber =
    u8"Расписания не сохранены, чтобы не затереть расписания файла: Count в разделе AutoZapros "
    u8"не число, исправьте его в файле: "_cp1251;

// Reported to the host, kind 2, once at Load, when the slot budget left times of the file
// unread: the budget, the slots unread, the stations left short and the first of them follow.
inline constexpr auto& kSlotsUnread =
    u8"Расписания прочитаны не полностью: исчерпан общий предел сеансов всех АЗС "_cp1251;
inline constexpr auto& kSlotsUnreadCount = u8"; не прочитано сеансов: "_cp1251;
inline constexpr auto& kSlotsUnreadStations = u8", АЗС: "_cp1251;
inline constexpr auto& kSlotsUnreadFirst = u8", первая: "_cp1251;
inline constexpr auto& kSlotsUnreadKept =
    u8". Их сеансы в файле сохраняются, пока расписание АЗС не изменено."_cp1251;

// Reported to the host, kind 2, followed by the station's name: a poll of a station the host
// does not know (over direct IP), or of a name the file holds in UTF-8, cannot be made.
inline constexpr auto& kStationUnknownToHost =
    u8"Автозапрос не выполнен, программа не знает АЗС: "_cp1251;

// Said of a cnf.INI saved as UTF-8 (by tarvel-schedule check, and to the host, kind 2, at Load),
// followed by kForExample, a garbled name as read, kInsteadOf and the name as meant, each quoted.
inline constexpr auto& kFileInUtf8 =
    u8"файл записан в кодировке UTF-8, а не Windows-1251: русские названия читаются "
    u8"искажёнными"_cp1251;
inline constexpr auto& kForExample = u8", например "_cp1251;
inline constexpr auto& kInsteadOf = u8" вместо "_cp1251;

// ISO weekdays 1 (Monday) to 7 (Sunday).
inline constexpr const char* kWeekDayNames[7] = {u8"ПН"_cp1251, u8"ВТ"_cp1251, u8"СР"_cp1251,
                                                 u8"ЧТ"_cp1251, u8"ПТ"_cp1251, u8"СБ"_cp1251,
                                                 u8"ВС"_cp1251};

}  // namespace tarvel::autoquery::text
