// The office database's own texts: Windows-1251 bytes, converted while compiling. The window
// puts "Ошибка получения списка АЗС: " before them.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::text {

using platform::operator""_cp1251;

// The host answered its database connection with Null.
inline constexpr auto& kNullHostAnswer =
    u8"Невозможно преобразовать вариант типа (Null) в тип (String)"_cp1251;

// "…за N с": the server took the connection but did not answer within the connect timeout (the
// client itself calls this "connection rejected by remote interface"), or did not answer the
// window within its bound. The number of seconds goes between the text and kSeconds.
inline constexpr auto& kConnectDidNotAnswer =
    u8"сервер базы данных не ответил на подключение за "_cp1251;
inline constexpr auto& kDatabaseDidNotAnswer = u8"сервер базы данных не ответил за "_cp1251;
inline constexpr auto& kSeconds = u8" с"_cp1251;

// A connection still being made when the window gave it up.
inline constexpr auto& kConnectGivenUp = u8"подключение к серверу базы данных прервано"_cp1251;

}  // namespace tarvel::autoquery::text
