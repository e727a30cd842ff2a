// The host's own texts, Windows-1251 bytes; widgets get them through the codec.
#pragma once

namespace tarvel::host::text {

// "Кремнекс — эталонный хост Tarvel"
inline constexpr const char* kWindowTitle =
    "\xca\xf0\xe5\xec\xed\xe5\xea\xf1 \x97 \xfd\xf2\xe0\xeb\xee\xed\xed\xfb\xe9 \xf5\xee\xf1\xf2 "
    "Tarvel";
// "&Файл"
inline constexpr const char* kFileMenu = "&\xd4\xe0\xe9\xeb";
// "В&ыход"
inline constexpr const char* kExit = "\xc2&\xfb\xf5\xee\xe4";
// "Связь с о&фисом"
inline constexpr const char* kLinkMenuStation =
    "\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec";
// "Связь"
inline constexpr const char* kLinkMenuOffice = "\xd1\xe2\xff\xe7\xfc";
// "Настройки"
inline constexpr const char* kSettingsMenu = "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8";
// "Параметры хоста"
inline constexpr const char* kHostSettings =
    "\xcf\xe0\xf0\xe0\xec\xe5\xf2\xf0\xfb \xf5\xee\xf1\xf2\xe0";
// "Ответы хоста"
inline constexpr const char* kHostControls = "\xce\xf2\xe2\xe5\xf2\xfb \xf5\xee\xf1\xf2\xe0";
// "Вид установки (команда 46):"
inline constexpr const char* kInstallationKind =
    "\xc2\xe8\xe4 \xf3\xf1\xf2\xe0\xed\xee\xe2\xea\xe8 (\xea\xee\xec\xe0\xed\xe4\xe0 46):";
// "Номер смены (команда 25):"
inline constexpr const char* kShiftNumber =
    "\xcd\xee\xec\xe5\xf0 \xf1\xec\xe5\xed\xfb (\xea\xee\xec\xe0\xed\xe4\xe0 25):";
// "Закрыть смену"
inline constexpr const char* kCloseShift = "\xc7\xe0\xea\xf0\xfb\xf2\xfc \xf1\xec\xe5\xed\xf3";
// "Версия интерфейса (GetVersion):"
inline constexpr const char* kCallbackVersion =
    "\xc2\xe5\xf0\xf1\xe8\xff \xe8\xed\xf2\xe5\xf0\xf4\xe5\xe9\xf1\xe0 (GetVersion):";
// "Подключение к базе (команда 69):"
inline constexpr const char* kDatabaseConnection =
    "\xcf\xee\xe4\xea\xeb\xfe\xf7\xe5\xed\xe8\xe5 \xea \xe1\xe0\xe7\xe5 "
    "(\xea\xee\xec\xe0\xed\xe4\xe0 69):";
// "Название АЗС (GetStationName):"
inline constexpr const char* kStationName =
    "\xcd\xe0\xe7\xe2\xe0\xed\xe8\xe5 \xc0\xc7\xd1 (GetStationName):";
// "Известные АЗС (FindStation):"
inline constexpr const char* kStationTable =
    "\xc8\xe7\xe2\xe5\xf1\xf2\xed\xfb\xe5 \xc0\xc7\xd1 (FindStation):";
// "АЗС"
inline constexpr const char* kStationColumn = "\xc0\xc7\xd1";
// "Значение по смещению 28"
inline constexpr const char* kValueColumn =
    "\xc7\xed\xe0\xf7\xe5\xed\xe8\xe5 \xef\xee \xf1\xec\xe5\xf9\xe5\xed\xe8\xfe 28";
// "АЗС 1"
inline constexpr const char* kDemoStation1 = "\xc0\xc7\xd1 1";
// "АЗС 2"
inline constexpr const char* kDemoStation2 = "\xc0\xc7\xd1 2";
// "Смена закрыта, текущая смена "
inline constexpr const char* kShiftClosed =
    "\xd1\xec\xe5\xed\xe0 \xe7\xe0\xea\xf0\xfb\xf2\xe0, \xf2\xe5\xea\xf3\xf9\xe0\xff "
    "\xf1\xec\xe5\xed\xe0 ";
// "Начат обмен с АЗС "
inline constexpr const char* kExchangeStarted =
    "\xcd\xe0\xf7\xe0\xf2 \xee\xe1\xec\xe5\xed \xf1 \xc0\xc7\xd1 ";
// ", тип связи "
inline constexpr const char* kConnectionType = ", \xf2\xe8\xef \xf1\xe2\xff\xe7\xe8 ";
// ", параметр "
inline constexpr const char* kParameter = ", \xef\xe0\xf0\xe0\xec\xe5\xf2\xf0 ";
// "[ошибка] "
inline constexpr const char* kApplicationError = "[\xee\xf8\xe8\xe1\xea\xe0] ";
// "Load вернул "
inline constexpr const char* kLoadReturned = "Load \xe2\xe5\xf0\xed\xf3\xeb ";
// "UnLoad вернул "
inline constexpr const char* kUnLoadReturned = "UnLoad \xe2\xe5\xf0\xed\xf3\xeb ";
// The office database as the host names it.
inline constexpr const char* kDefaultDatabaseConnection = "C:\\FSYS\\OFFICEDB\\OFFICE.FDB";

}  // namespace tarvel::host::text
