// Must not compile: a Chinese character has no Windows-1251 byte.
#include "platform/cp1251_literal.h"

using tarvel::platform::operator""_cp1251;
inline constexpr auto& kNotWindows1251 = u8"АЗС 字"_cp1251;
