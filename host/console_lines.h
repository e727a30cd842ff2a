// The lines the host prints for whoever watches it run: a person at a terminal or a script that
// reads its output.
#pragma once

#include <QString>

namespace tarvel::host {

// One line on standard output, flushed at once so a script sees it as it happens.
void printLine(const QString& line);
// One line on standard error, marked with the program's name.
void printError(const QString& line);

}  // namespace tarvel::host
