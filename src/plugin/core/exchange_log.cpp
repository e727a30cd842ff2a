#include "plugin/core/exchange_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/install_root.h"

namespace tarvel::plugin {
namespace {

[[noreturn]] void fail(const char* step, const std::string& path, int error) {
  throw std::runtime_error(std::string("Modem.LOG: ") + step + " " + path + ": " +
                           std::strerror(error));
}

// The line for this text at this moment: "dd.mm.yyyy hh:nn:ss:zzz - text", CR LF.
std::string exchangeLogLine(double moment, const std::string& text) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d:%03d", parts.day, parts.month,
                parts.year, parts.hour, parts.minute, parts.second, parts.millisecond);
  return std::string(stamp) + " - " + text + "\r\n";
}

}  // namespace

void WriteExchangeLog(const std::string& text) {
  const std::string path = platform::mapWindowsPath("C:\\FSYS\\Modem.LOG").string();
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) fail("cannot open", path, errno);
  const std::string line = exchangeLogLine(platform::now(), text);
  // The first step that fails is the one reported; the file is closed in any case.
  const char* failedStep = nullptr;
  int error = 0;
  if (std::fwrite(line.data(), 1, line.size(), file) != line.size()) {
    failedStep = "cannot write";
    error = errno;
  } else if (std::fflush(file) != 0) {
    failedStep = "cannot flush";
    error = errno;
  }
  if (std::fclose(file) != 0 && failedStep == nullptr) {
    failedStep = "cannot close";
    error = errno;
  }
  if (failedStep != nullptr) fail(failedStep, path, error);
}

}  // namespace tarvel::plugin
