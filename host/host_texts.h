// The host's own texts; widgets get them through the codec.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::host::text {

using platform::operator""_cp1251;

inline constexpr auto& kWindowTitle = u8"Кремнекс — эталонный хост Tarvel"_cp1251;
inline constexpr auto& kFileMenu = u8"&Файл"_cp1251;
inline constexpr auto& kExit = u8"В&ыход"_cp1251;
inline constexpr auto& kLinkMenuStation = u8"Связь с о&фисом"_cp1251;
inline constexpr auto& kLinkMenuOffice = u8"Связь"_cp1251;
inline constexpr auto& kSettingsMenu = u8"Настройки"_cp1251;
inline constexpr auto& kHostSettings = u8"Параметры хоста"_cp1251;
inline constexpr auto& kHostControls = u8"Ответы хоста"_cp1251;
inline constexpr auto& kInstallationKind = u8"Вид установки (команда 46):"_cp1251;
inline constexpr auto& kShiftNumber = u8"Номер смены (команда 25):"_cp1251;
inline constexpr auto& kCloseShift = u8"Закрыть смену"_cp1251;
inline constexpr auto& kCallbackVersion = u8"Версия интерфейса (GetVersion):"_cp1251;
inline constexpr auto& kDatabaseConnection = u8"Подключение к базе (команда 69):"_cp1251;
inline constexpr auto& kStationName = u8"Название АЗС (GetStationName):"_cp1251;
inline constexpr auto& kStationTable = u8"Известные АЗС (FindStation):"_cp1251;
inline constexpr auto& kStationColumn = u8"АЗС"_cp1251;
inline constexpr auto& kValueColumn = u8"Значение по смещению 28"_cp1251;
inline constexpr auto& kDemoStation1 = u8"АЗС 1"_cp1251;
inline constexpr auto& kDemoStation2 = u8"АЗС 2"_cp1251;
inline constexpr auto& kShiftClosed = u8"Смена закрыта, текущая смена "_cp1251;
inline constexpr auto& kExchangeStarted = u8"Начат обмен с АЗС "_cp1251;
inline constexpr auto& kConnectionType = u8", тип связи "_cp1251;
inline constexpr auto& kParameter = u8", параметр "_cp1251;
inline constexpr auto& kApplicationError = u8"[ошибка] "_cp1251;
inline constexpr auto& kLoadReturned = u8"Load вернул "_cp1251;
inline constexpr auto& kUnLoadReturned = u8"UnLoad вернул "_cp1251;
// The office database as the host names it.
inline constexpr char kDefaultDatabaseConnection[] = "C:\\FSYS\\OFFICEDB\\OFFICE.FDB";

}  // namespace tarvel::host::text
