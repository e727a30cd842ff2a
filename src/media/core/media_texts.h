// The removable-media dialog's texts.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::media::text {

using platform::operator""_cp1251;

inline constexpr auto& kCaption = u8"Настройки сменного носителя"_cp1251;
inline constexpr auto& kPathCaption = u8"Введите или выберите путь к сменному носителю:"_cp1251;
inline constexpr auto& kFromDiskCaption = u8"Использовать файл запроса с диска"_cp1251;
inline constexpr auto& kAddTovarUpCaption =
    u8"Прикреплять последние изменения по товарам, если нет запроса с офиса"_cp1251;
inline constexpr auto& kBrowsePrompt =
    u8"Выберите каталог, в котором будет расположен файл запроса"_cp1251;

}  // namespace tarvel::media::text
