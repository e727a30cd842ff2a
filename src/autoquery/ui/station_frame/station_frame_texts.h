// What a screen reader says of a station frame: Windows-1251 bytes, converted while compiling.
#pragma once

#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::station_frame_text {

using platform::operator""_cp1251;

// What a screen reader says of a station frame (its accessible name is the station's name): the
// polling state, then the connection type, joined by kFrameDescriptionJoint.
inline constexpr auto& kFramePollingOn = u8"Автозапрос включен"_cp1251;
inline constexpr auto& kFramePollingOff = u8"Автозапрос отключен"_cp1251;
inline constexpr auto& kFrameDescriptionJoint = u8", "_cp1251;
inline constexpr auto& kFrameModem = u8"модемное соединение"_cp1251;
inline constexpr auto& kFrameMail = u8"электронная почта"_cp1251;
inline constexpr auto& kFrameDirectIp = u8"прямое IP соединение"_cp1251;
inline constexpr auto& kFrameUnknownConnection = u8"неизвестный вид связи"_cp1251;

}  // namespace tarvel::autoquery::station_frame_text
