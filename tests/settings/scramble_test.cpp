#include "settings/scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel::settings {
namespace {

TEST(ScrambleTest, MatchesTheStoredFormOfKnownPasswords) {
  EXPECT_EQ(ScrambleToHex(kPasswordUserKey, "password"), "666964616879617D");
  EXPECT_EQ(ScrambleToHex(kPasswordUserKey, "1234567890"), "273A24262A2024213C2F");
  // "Пароль"
  EXPECT_EQ(ScrambleToHex(kPasswordUserKey, "\xcf\xe0\xf0\xee\xeb\xfc"), "D9E8E7FCF4EA");
}

TEST(ScrambleTest, EveryByteValueSurvivesTheRoundTrip) {
  std::string everyByte;
  for (int value = 0; value < 256; ++value) everyByte.push_back(static_cast<char>(value));
  const std::string hex = ScrambleToHex(kPasswordUserKey, everyByte);
  EXPECT_EQ(hex.size(), 512u);
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, hex), everyByte);
  for (int value = 0; value < 256; ++value) {
    const std::string single(1, static_cast<char>(value));
    EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, ScrambleToHex(kPasswordUserKey, single)), single);
  }
}

TEST(ScrambleTest, ACharacterEqualToTheKeyByteScramblesToZero) {
  // The first working-key byte is 'g' XOR 'q'.
  const std::string password = std::string(1, '\x16') + "ab";
  const std::string hex = ScrambleToHex(kPasswordUserKey, password);
  EXPECT_EQ(hex.substr(0, 2), "00");
  EXPECT_EQ(ScrambleXor(kPasswordUserKey, password)[0], '\0');
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, hex), password);
}

TEST(ScrambleTest, KeyRepeatsPastThirtyOneBytes) {
  const std::string longText(70, 'x');
  const std::string scrambled = ScrambleXor(kPasswordUserKey, longText);
  ASSERT_EQ(scrambled.size(), 70u);
  EXPECT_EQ(scrambled[0], scrambled[31]);
  EXPECT_EQ(scrambled[5], scrambled[67]);
  EXPECT_EQ(ScrambleXor(kPasswordUserKey, scrambled), longText);
}

TEST(ScrambleTest, EmptyUserKeyOrEmptyDataGiveEmptyResults) {
  EXPECT_EQ(ScrambleXor("", "secret"), "");
  EXPECT_EQ(ScrambleToHex("", "secret"), "");
  EXPECT_EQ(ScrambleToHex(kPasswordUserKey, ""), "");
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, ""), "");
}

TEST(ScrambleTest, StoredDigitsAreReadLeniently) {
  // Lower-case digits read as upper-case ones.
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "666964616879617d"), "password");
  // A final unpaired digit is ignored.
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "666964616879617D6"), "password");
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "6"), "");
  // Decoding stops before the first pair that is not two hexadecimal digits.
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "666964G16879617D"), "pas");
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "66 964616879617D"), "p");
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, "password"), "");
}

TEST(ScrambleTest, TenAndTwelveCharacterPasswords) {
  EXPECT_EQ(ScrambleToHex(kPasswordUserKey, "abcdefghij").size(), 20u);
  const std::string twelve = "abcdefghijkl";
  const std::string hex = ScrambleToHex(kPasswordUserKey, twelve);
  EXPECT_EQ(hex.size(), 24u);
  // Cutting to ten characters is the caller's business; the routine returns all it decodes.
  EXPECT_EQ(UnscrambleFromHex(kPasswordUserKey, hex), twelve);
}

}  // namespace
}  // namespace tarvel::settings
