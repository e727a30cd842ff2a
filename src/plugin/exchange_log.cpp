#include "plugin/exchange_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/install_root.h"

namespace tarvel::plugin {
namespace {

[[noreturn]] void fail(const char* step, const std::string& path) {
  throw std::runtime_error(std::string("Modem.LOG: ") + step + " " + path + ": " +
                           std::strerror(errno));
}

}  // namespace

std::string exchangeLogLine(double moment, const std::string& text) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d:%03d", parts.day, parts.month,
                parts.year, parts.hour, parts.minute, parts.second, parts.millisecond);
  return std::string(stamp) + " - " + text + "\r\n";
}

void WriteExchangeLog(const std::string& text) {
  const std::string path = platform::mapWindowsPath("C:\\FSYS\\Modem.LOG").string();
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) fail("cannot open", path);
  const std::string line = exchangeLogLine(platform::now(), text);
  const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  const bool flushed = written && std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written) fail("cannot write", path);
  if (!flushed) fail("cannot flush", path);
  if (!closed) fail("cannot close", path);
}

}  // namespace tarvel::plugin
