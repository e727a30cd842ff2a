#include "platform/cp1251.h"

#include <gtest/gtest.h>

namespace tarvel::platform {
namespace {

TEST(Cp1251Codec, EveryByteRoundTripsThroughUnicode) {
  std::string allBytes;
  for (int value = 0; value < 256; ++value) allBytes.push_back(static_cast<char>(value));
  const QString unicode = toUnicode(allBytes);
  ASSERT_EQ(unicode.size(), 256);
  EXPECT_EQ(fromUnicode(unicode), allBytes);
}

TEST(Cp1251Codec, CyrillicLettersMapToTheirUnicodeCharacters) {
  EXPECT_EQ(toUnicode("\xc0\xc7\xd1"), QString::fromUtf8("АЗС"));
  EXPECT_EQ(toUnicode("\xa8\xb8\xff"), QString::fromUtf8("Ёёя"));
  EXPECT_EQ(fromUnicode(QString::fromUtf8("Связь №1")),
            "\xd1\xe2\xff\xe7\xfc \xb9"
            "1");
}

TEST(Cp1251Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(fromUnicode(QString::fromUtf8("a€字b")), "a\x88?b");
}

TEST(Cp1251CaseFolding, FoldsLatinAndCyrillicLettersOnly) {
  EXPECT_EQ(foldCase("ABC xyz \xc0\xdf\xa8"), "abc xyz \xe0\xff\xb8");  // АЯЁ -> аяё
  EXPECT_EQ(foldCase("0-9 [] \xb9"), "0-9 [] \xb9");                    // № has no case
  EXPECT_TRUE(equalsIgnoringCase("\xd1\xc2\xdf\xc7\xdc", "\xf1\xe2\xff\xe7\xfc"));  // СВЯЗЬ, связь
  EXPECT_TRUE(equalsIgnoringCase("Inet", "INET"));
  EXPECT_FALSE(equalsIgnoringCase("Inet", "Inet2"));
  EXPECT_FALSE(equalsIgnoringCase("\xc5", "\xb8"));  // Е is not ё
}

}  // namespace
}  // namespace tarvel::platform
