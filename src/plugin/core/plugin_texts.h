// The plug-in's own texts: menu captions, the station-rename box, the reports to the host and
// the exchange log.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::plugin::text {

using platform::operator""_cp1251;

// Followed by the library's file name: a sibling library was not found.
inline constexpr auto& kLibraryNotFound = u8"Ненайдена библиотека "_cp1251;
// Followed by the error's message, written to the exchange log.
inline constexpr auto& kMenuLoadFailed = u8"Ошибка загрузки Tarvel.dll "_cp1251;

// Menu captions.
inline constexpr auto& kStationTopMenu = u8"Связь с о&фисом"_cp1251;
inline constexpr auto& kOfficeTopMenu = u8"Связь"_cp1251;
inline constexpr auto& kSettingsMenu = u8"Настройки"_cp1251;
inline constexpr char kSeparator[] = "-";
inline constexpr auto& kConnectionSecurity = u8"Безопасность соединения"_cp1251;
inline constexpr auto& kRenameStation = u8"Смена названия АЗС"_cp1251;
inline constexpr auto& kAutomaticSending = u8"Автоматическая отправка"_cp1251;
inline constexpr auto& kRemovableMedium = u8"Сменный носитель"_cp1251;
inline constexpr auto& kAutomaticQuery = u8"Автоматическая отправка запроса"_cp1251;

// What the host handed back instead of a menu or a menu item.
inline constexpr auto& kNoMainMenu = u8"Программа не передала главное меню"_cp1251;
inline constexpr auto& kNoNewMenuItem = u8"Программа не создала пункт меню"_cp1251;
inline constexpr auto& kNoMenuChild = u8"Программа передала пустой пункт меню"_cp1251;

// The station-rename input box.
inline constexpr auto& kRenameTitle = u8"Укажите новое название АЗС"_cp1251;
inline constexpr auto& kRenamePrompt =
    u8"Укажите название АЗС, учтите, что оно вступит в силу только после перезапуска Кремнекс"_cp1251;

// Shown when the office auto-query is asked for where the installation has none.
inline constexpr auto& kNoAutoQueryTitle = u8"Связь с офисом"_cp1251;
inline constexpr auto& kNoAutoQuery =
    u8"Автоматический запрос данных доступен только в офисе, где программа установлена с "
    u8"автозапросом (тип установки 3)."_cp1251;

// Follows the host's answer that is no number.
inline constexpr auto& kNotANumber = u8"' не является числом"_cp1251;

}  // namespace tarvel::plugin::text
