// The exchange log "C:\FSYS\Modem.LOG" under the installation root: plain Windows-1251 text,
// one line "dd.mm.yyyy hh:nn:ss:zzz - text" per call, CR LF.
#pragma once

#include <string>

namespace tarvel::plugin {

// Appends one line (creating the file when it is missing); the file is opened and closed for
// every line. Throws std::runtime_error when any step of the writing fails.
void WriteExchangeLog(const std::string& text);

}  // namespace tarvel::plugin
