// Which code page cnf.INI was saved in, told from its bytes. The plug-in reads every text of the
// file as Windows-1251; a file that another program saved as UTF-8 turns each Russian station
// name into gibberish ("РђР—РЎ" for "АЗС"), a name that no host or transport knows.
#pragma once

#include <string>
#include <string_view>

#include "autoquery/core/auto_azs.h"

namespace tarvel::autoquery {

// Control bytes no settings text holds (NUL among them); tab, line breaks, vertical tab and form
// feed may.
bool isBinaryControl(unsigned char byte);

// Text beyond ASCII that is all well-formed UTF-8 and writes Cyrillic letters: saved by a
// program that does not write Windows-1251. Real Windows-1251 text is almost never valid UTF-8,
// so a station name of which this holds cannot be the Windows-1251 name it was meant to be.
bool isCyrillicUtf8(std::string_view bytes);

// Whether a whole settings file is such text: no control bytes, Cyrillic written as UTF-8.
bool isSettingsFileInUtf8(std::string_view fileBytes);

// The operator's message (Windows-1251) on a file saved as UTF-8, with the first garbled name of
// the registry loaded from it as read and as meant.
std::string settingsFileInUtf8Message(const tAutoAZS& registry);

}  // namespace tarvel::autoquery
