#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include "autosend/core/autosend_texts.h"
#include "media/core/media_texts.h"
#include "platform/cp1251_literal.h"
#include "platform/platform_texts.h"
#include "plugin/core/plugin_texts.h"
#include "security/core/security_texts.h"

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

// The bytes on the right are written out by hand from the code page's table, not by the codec.
TEST(Cp1251Literal, ConvertsReadableTextToTheSameBytesAsTheCodePage) {
  EXPECT_STREQ(u8"Связь"_cp1251, "\xd1\xe2\xff\xe7\xfc");
  EXPECT_STREQ(u8"Ошибка получения списка АЗС: "_cp1251,
               "\xce\xf8\xe8\xe1\xea\xe0 \xef\xee\xeb\xf3\xf7\xe5\xed\xe8\xff "
               "\xf1\xef\xe8\xf1\xea\xe0 \xc0\xc7\xd1: ");
  EXPECT_STREQ(u8"ЁёЯя №1 «…» €"_cp1251,
               "\xa8\xb8\xdf\xff \xb9"
               "1 \xab\x85\xbb \x88");
  EXPECT_STREQ(u8"Tarvel.dll"_cp1251, "Tarvel.dll");
  static_assert(sizeof(u8"ПН"_cp1251) == 3, "one byte a character plus the terminator");
}

// A handful of the features' texts against their bytes written out by hand: the Latin "c" of
// "cейчас", the Cyrillic "ОК", a menu caption's accelerator, a closing blank.
TEST(Cp1251Literal, FeatureTextsKeepTheirBytes) {
  EXPECT_STREQ(autosend::text::kSendNow,
               "\xd1\xf4\xee\xf0\xec\xe8\xf0\xee\xe2\xe0\xf2\xfc \xe8 "
               "\xee\xf2\xef\xf0\xe0\xe2\xe8\xf2\xfc \xee\xf2\xf7\xe5\xf2 c\xe5\xe9\xf7\xe0\xf1?");
  EXPECT_STREQ(platform::text::kOk, "\xce\xca");
  EXPECT_STREQ(plugin::text::kStationTopMenu,
               "\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec");
  EXPECT_STREQ(security::text::kPasswordCaption, "\xcf\xe0\xf0\xee\xeb\xfc:");
  EXPECT_STREQ(media::text::kCaption,
               "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8 \xf1\xec\xe5\xed\xed\xee\xe3\xee "
               "\xed\xee\xf1\xe8\xf2\xe5\xeb\xff");
  EXPECT_STREQ(autosend::text::kMiscellaneousTab, "      \xd0\xe0\xe7\xed\xee\xe5       ");
}

}  // namespace
}  // namespace tarvel::platform
