// What the operator reads when the settings file cannot be used. Each text is followed by the
// file's name and the system's reason (see profileFailure).
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::platform::text {

using platform::operator""_cp1251;

inline constexpr auto& kProfileCannotRead = u8"Не удалось прочитать файл настроек "_cp1251;
inline constexpr auto& kProfileCannotWrite = u8"Не удалось записать файл настроек "_cp1251;
inline constexpr auto& kProfileNotRegularFile =
    u8"Файл настроек не является обычным файлом: "_cp1251;
inline constexpr auto& kProfileTooLarge = u8"Файл настроек слишком велик: "_cp1251;
inline constexpr auto& kProfileWriteProtected =
    u8"Файл настроек защищён от записи, изменения не сохранены: "_cp1251;
inline constexpr auto& kProfileCannotLock =
    u8"Не удалось заблокировать файл настроек для записи "_cp1251;
inline constexpr auto& kProfileBusy =
    u8"Файл настроек занят другой программой, повторите позже: "_cp1251;
inline constexpr auto& kProfileLockLost =
    u8"Блокировку файла настроек сняла другая программа, изменения не сохранены: "_cp1251;

}  // namespace tarvel::platform::text
