#include "platform/profile_failure.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/cp1251.h"
#include "platform/cp1251_literal.h"

namespace tarvel::platform {
namespace {

// The reasons a settings file cannot be read or written, in Russian like the message around
// them; the system's own words (English in the C locale) for the rare rest.
std::string reason(int error) {
  switch (error) {
    case ENOENT:
      return u8"нет такого файла или каталога"_cp1251;
    case EACCES:
    case EPERM:
      return u8"нет доступа"_cp1251;
    case EISDIR:
      return u8"это каталог"_cp1251;
    case ENOTDIR:
      return u8"часть пути не каталог"_cp1251;
    case ELOOP:
      return u8"слишком много символических ссылок"_cp1251;
    case ENAMETOOLONG:
      return u8"слишком длинное имя"_cp1251;
    case EFBIG:
      return u8"файл слишком велик"_cp1251;
    case ENOSPC:
      return u8"нет места на диске"_cp1251;
    case EROFS:
      return u8"файловая система только для чтения"_cp1251;
    case EIO:
      return u8"ошибка ввода-вывода"_cp1251;
    default:
      return fromUnicode(QString::fromLocal8Bit(std::strerror(error)));
  }
}

}  // namespace

std::runtime_error profileFailure(const char* text, const std::filesystem::path& path, int error) {
  // Paths are the system's bytes (UTF-8 here); the message is Windows-1251 like every text.
  std::string message = text + fromUnicode(QFile::decodeName(path.c_str()));
  if (error != 0) message += " (" + reason(error) + ")";
  return std::runtime_error(message);
}

}  // namespace tarvel::platform
