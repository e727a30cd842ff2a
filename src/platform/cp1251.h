// Windows-1251: the one codec between the plug-in's CP1251 byte strings and Qt's Unicode text,
// and the case folding used wherever names are compared without regard to case.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarvel::platform {

// Every byte maps to one character; the byte 0x98, unassigned in Windows-1251, maps to U+0098
// so that all 256 bytes round-trip.
QString toUnicode(std::string_view cp1251);

// Characters outside Windows-1251 become "?".
std::string fromUnicode(const QString& text);

// Lower-case form of one byte: A-Z, А-Я and Ё fold to a-z, а-я and ё; other bytes stay.
char foldCase(char byte);

// The whole text folded with foldCase.
std::string foldCase(std::string_view text);

// Equal without regard to case (Latin and Cyrillic letters).
bool equalsIgnoringCase(std::string_view left, std::string_view right);

}  // namespace tarvel::platform
