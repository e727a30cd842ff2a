#include "host/console_lines.h"

#include <cstdio>

namespace tarvel::host {

void printLine(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

void printError(const QString& line) {
  std::fprintf(stderr, "tarvel-host: %s\n", line.toUtf8().constData());
}

}  // namespace tarvel::host
