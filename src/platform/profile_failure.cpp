#include "platform/profile_failure.h"

#include <QFile>
#include <cstring>

#include "platform/cp1251.h"

namespace tarvel::platform {

std::runtime_error profileFailure(const char* text, const std::filesystem::path& path, int error) {
  // Paths are the system's bytes (UTF-8 here); the message is Windows-1251 like every text.
  std::string message = text + fromUnicode(QFile::decodeName(path.c_str()));
  if (error != 0) message += " (" + fromUnicode(QString::fromLocal8Bit(std::strerror(error))) + ")";
  return std::runtime_error(message);
}

}  // namespace tarvel::platform
