#include "autoquery/core/settings_code_page.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <utility>

#include "autoquery/core/autoquery_texts.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery {
namespace {

// The code point of a well-formed UTF-8 sequence starting at offset and its length, or nothing.
std::optional<std::pair<char32_t, std::size_t>> utf8At(std::string_view bytes, std::size_t offset) {
  const auto lead = static_cast<unsigned char>(bytes[offset]);
  std::size_t length = 0;
  char32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (offset + length > bytes.size()) return std::nullopt;
  for (std::size_t next = 1; next < length; ++next) {
    const auto byte = static_cast<unsigned char>(bytes[offset + next]);
    if ((byte & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and points beyond Unicode are no UTF-8.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    return std::nullopt;
  }
  return std::pair{point, length};
}

}  // namespace

bool isBinaryControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' &&
          byte != '\r') ||
         byte == 0x7F;
}

bool isCyrillicUtf8(std::string_view bytes) {
  bool cyrillic = false;
  for (std::size_t offset = 0; offset < bytes.size();) {
    if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
      ++offset;
      continue;
    }
    const auto sequence = utf8At(bytes, offset);
    if (!sequence) return false;
    cyrillic = cyrillic || (sequence->first >= 0x400 && sequence->first <= 0x4FF);
    offset += sequence->second;
  }
  return cyrillic;
}

bool isSettingsFileInUtf8(std::string_view fileBytes) {
  for (const char byte : fileBytes) {
    if (isBinaryControl(static_cast<unsigned char>(byte))) return false;
  }
  return isCyrillicUtf8(fileBytes);
}

std::string settingsFileInUtf8Message(const tAutoAZS& registry) {
  std::string message = text::kFileInUtf8;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const std::string& name = registry.Items(position).AZSName;
    if (!isCyrillicUtf8(name)) continue;
    const QString meant = QString::fromUtf8(name.data(), qsizetype(name.size()));
    return message + text::kForExample + ("\"" + name + "\"") + text::kInsteadOf +
           ("\"" + platform::fromUnicode(meant) + "\"");
  }
  return message;
}

}  // namespace tarvel::autoquery
