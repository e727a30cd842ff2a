// Windows-1251 texts written readably: u8"Связь"_cp1251 is the array of the text's Windows-1251
// bytes, converted while compiling. A character that Windows-1251 lacks, or a malformed UTF-8
// sequence, stops the build instead of turning into "?" at run time.
//
//   inline constexpr auto& kOfficeTopMenu = u8"Связь"_cp1251;   // const char (&)[6]
//
// The result is a null-terminated const char array with static storage, so it is used exactly
// like the escaped byte arrays it replaces: it decays to const char*, sizeof gives the byte
// count plus one, and it concatenates with std::string.
#pragma once

#include <cstddef>

#include "platform/cp1251_table.h"

namespace tarvel::platform {
namespace cp1251_literal {

// The UTF-8 text of a literal, carried as a template argument.
template <std::size_t Size>
struct Utf8Text {
  char8_t units[Size]{};
  consteval Utf8Text(const char8_t (&literal)[Size]) {
    for (std::size_t index = 0; index < Size; ++index) units[index] = literal[index];
  }
};

// Not constant expressions on purpose: reaching one while compiling is the error message. The
// helpers below are only ever evaluated while compiling, through Encoded.
void invalidUtf8Sequence();
void characterOutsideWindows1251();

// Decodes the code point that starts at units[position] and moves position past it.
template <std::size_t Size>
constexpr char32_t decodeAt(const Utf8Text<Size>& text, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(text.units[position++]);
  if (lead < 0x80) return lead;
  std::size_t continuation = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    continuation = 1;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    continuation = 2;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    continuation = 3;
    code = lead & 0x07;
  } else {
    invalidUtf8Sequence();
  }
  for (std::size_t step = 0; step < continuation; ++step) {
    // The terminating null is never a continuation byte, so this never reads past the text.
    const auto unit = static_cast<unsigned char>(text.units[position++]);
    if ((unit & 0xC0) != 0x80) invalidUtf8Sequence();
    code = (code << 6) | (unit & 0x3F);
  }
  return code;
}

constexpr char byteOf(char32_t code) {
  if (code < 0x80) return static_cast<char>(code);
  for (std::size_t index = 0; index < kUpperHalf.size(); ++index) {
    if (kUpperHalf[index] == code) return static_cast<char>(0x80 + index);
  }
  characterOutsideWindows1251();
  return '?';
}

// The number of characters before the terminating null.
template <std::size_t Size>
constexpr std::size_t characterCount(const Utf8Text<Size>& text) {
  std::size_t count = 0;
  for (std::size_t position = 0; position + 1 < Size; ++count) decodeAt(text, position);
  return count;
}

template <std::size_t Size>
struct Bytes {
  char data[Size]{};
};

template <Utf8Text Text>
struct Encoded {
  static constexpr std::size_t length = characterCount(Text);
  static constexpr Bytes<length + 1> value = [] {
    Bytes<length + 1> bytes;
    std::size_t position = 0;
    for (std::size_t index = 0; index < length; ++index)
      bytes.data[index] = byteOf(decodeAt(Text, position));
    return bytes;
  }();
};

}  // namespace cp1251_literal

// u8"…"_cp1251: the Windows-1251 bytes of a UTF-8 literal, as a null-terminated const char array.
template <cp1251_literal::Utf8Text Text>
consteval const auto& operator""_cp1251() {
  return cp1251_literal::Encoded<Text>::value.data;
}

}  // namespace tarvel::platform
