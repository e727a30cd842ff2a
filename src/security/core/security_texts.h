// The connection password dialog's texts.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::security::text {

using platform::operator""_cp1251;

inline constexpr auto& kCaption = u8"Безопасность соединения"_cp1251;
// The closing blank is the form's own.
inline constexpr auto& kEnablePasswordCaption =
    u8"Применять пароль при прямых интернет и модемных соединениях "_cp1251;
inline constexpr auto& kPasswordCaption = u8"Пароль:"_cp1251;
inline constexpr auto& kShowPasswordCaption = u8"Показывать пароль"_cp1251;

}  // namespace tarvel::security::text
