#include "platform/cp1251.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/cp1251_table.h"

namespace tarvel::platform {
namespace {

const std::unordered_map<char16_t, unsigned char>& upperHalfBytes() {
  static const auto bytes = [] {
    std::unordered_map<char16_t, unsigned char> map;
    for (std::size_t index = 0; index < kUpperHalf.size(); ++index) {
      map.emplace(kUpperHalf[index], static_cast<unsigned char>(0x80 + index));
    }
    return map;
  }();
  return bytes;
}

}  // namespace

QString toUnicode(std::string_view cp1251) {
  QString text;
  text.reserve(static_cast<qsizetype>(cp1251.size()));
  for (const char byte : cp1251) {
    const auto value = static_cast<unsigned char>(byte);
    text.append(QChar(value < 0x80 ? char16_t(value) : kUpperHalf[value - 0x80]));
  }
  return text;
}

std::string fromUnicode(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar character : text) {
    const char16_t unit = character.unicode();
    if (unit < 0x80) {
      bytes.push_back(static_cast<char>(unit));
    } else if (const auto found = upperHalfBytes().find(unit); found != upperHalfBytes().end()) {
      bytes.push_back(static_cast<char>(found->second));
    } else {
      bytes.push_back('?');
    }
  }
  return bytes;
}

char foldCase(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  if (value >= 'A' && value <= 'Z') return static_cast<char>(value + ('a' - 'A'));
  if (value >= 0xC0 && value <= 0xDF) return static_cast<char>(value + 0x20);  // А-Я
  if (value == 0xA8) return static_cast<char>(0xB8);                           // Ё
  return byte;
}

std::string foldCase(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char byte) { return foldCase(byte); });
  return folded;
}

bool equalsIgnoringCase(std::string_view left, std::string_view right) {
  // Names are mostly spelled alike: the bytes are compared as they are first.
  if (left.size() != right.size()) return false;
  return left == right || std::equal(left.begin(), left.end(), right.begin(),
                                     [](char a, char b) { return foldCase(a) == foldCase(b); });
}

}  // namespace tarvel::platform
