#include "platform/profile_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel::platform {
namespace {

// A file written by hand: a byte-order mark, comments, odd spacing, mixed case, duplicate
// sections and keys, all three kinds of line break, Cyrillic names, no final line break.
const std::string kHandWritten =
    "\xEF\xBB\xBF"  // the mark is no part of the first line
    "Orphan=1\r\n"
    "; settings of the link\r\n"
    "  [ inet ]  first real header\r\n"
    "  ViaSend =  2  \r\n"
    "viasend=9\r\n"
    "Note without an equals sign\n"
    "Quoted = \" spaced \"\n"
    "\r\n"
    "; end of inet\r\n"
    "[Port]\r"
    "ExDisk=D:\\Exchange\r"
    "[INET]\r\n"
    "LastSmena=5\r\n"
    "[\xCF\xEE\xF0\xF2]\r\n"  // [Порт]
    "\xC8\xEC\xFF=x";         // Имя=x

TEST(ProfileDocumentReadTest, FindsKeysTheWayTheProfileFunctionsDo) {
  const ProfileDocument document(kHandWritten);
  EXPECT_EQ(document.value("INET", "VIASEND"), "2");
  EXPECT_EQ(document.value(" inet ", " ViaSend "), "2");  // names passed in are trimmed
  EXPECT_EQ(document.value("Inet", "Quoted"), " spaced ");
  EXPECT_EQ(document.value("port", "exdisk"), "D:\\Exchange");
  // Cyrillic folds: "порт" / "имя".
  EXPECT_EQ(document.value("\xEF\xEE\xF0\xF2", "\xE8\xEC\xFF"), "x");
  // A later section of the same name is not searched; a key before any header is in none.
  EXPECT_EQ(document.value("Inet", "LastSmena"), std::nullopt);
  EXPECT_EQ(document.value("Inet", "Orphan"), std::nullopt);
  EXPECT_EQ(document.value("Inet", "Note without an equals sign"), std::nullopt);
  EXPECT_EQ(document.value("Absent", "ViaSend"), std::nullopt);
  EXPECT_TRUE(document.hasSection("PORT"));
  EXPECT_FALSE(document.hasSection("Absent"));
}

TEST(ProfileDocumentReadTest, ValueForms) {
  struct Case {
    const char* line;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"K=", ""},
      {"K =   ", ""},
      {"K=\"a b\"", "a b"},
      {"K='a b'", "a b"},
      {"K=\"a'", "\"a'"},
      {"K=\"", "\""},
      {"K=\"\"", ""},
      {"K=a;b#c", "a;b#c"},
      {"K=a=b", "a=b"},
      {"\tK\v=\tv v\t", "v v"},
      {"; K=commented", std::nullopt},
      {"K", std::nullopt},
  };
  for (const Case& entry : cases) {
    const ProfileDocument document(std::string("[S]\r\n") + entry.line + "\r\n");
    EXPECT_EQ(document.value("S", "K"), entry.expected) << entry.line;
  }
}

TEST(ProfileDocumentReadTest, EveryLineBreakFormEndsALine) {
  const std::string longValue(1000, 'v');  // far past a line feed's usual distance
  const struct {
    const char* name;
    std::string text;
  } documents[] = {
      {"CR LF", "[S]\r\nA=1\r\nLong=" + longValue + "\r\nB=2\r\n"},
      {"LF", "[S]\nA=1\nLong=" + longValue + "\nB=2"},
      {"lone CR", "[S]\rA=1\rLong=" + longValue + "\rB=2\r"},
      {"mixed, a lone CR before a far LF", "[S]\rA=1\r\nLong=" + longValue + "\rB=2\n"},
  };
  for (const auto& document : documents) {
    SCOPED_TRACE(document.name);
    const ProfileDocument parsed(document.text);
    EXPECT_EQ(parsed.value("S", "A"), "1");
    EXPECT_EQ(parsed.value("S", "Long"), longValue);
    EXPECT_EQ(parsed.value("S", "B"), "2");
  }
}

TEST(ProfileDocumentReadTest, SectionHeaderForms) {
  const ProfileDocument document(
      "A=before any section\r\n[]\r\nB=2\r\n[Open\r\nC=3\r\n[ Spaced\t]\r\nD=4\r\n");
  EXPECT_EQ(document.value("", "A"), std::nullopt);
  EXPECT_EQ(document.value("", "B"), "2");
  EXPECT_EQ(document.value("Open", "C"), "3");
  EXPECT_EQ(document.value("spaced", "D"), "4");
}

TEST(ProfileDocumentReadTest, FirstOfDuplicateKeysWins) {
  const ProfileDocument document("[S]\nk=1\nK=2\n");
  EXPECT_EQ(document.value("s", "k"), "1");
}

TEST(ProfileDocumentWriteTest, UntouchedDocumentKeepsItsBytes) {
  ProfileDocument document(kHandWritten);
  EXPECT_FALSE(document.modified());
  EXPECT_EQ(document.text(), kHandWritten);
}

// The hand-written file with one line replaced by another text.
std::string handWrittenWith(const std::string& oldText, const std::string& newText) {
  std::string expected = kHandWritten;
  const auto position = expected.find(oldText);
  EXPECT_NE(position, std::string::npos) << oldText;
  expected.replace(position, oldText.size(), newText);
  return expected;
}

TEST(ProfileDocumentWriteTest, ReplacedKeyKeepsItsPlaceAndSpelling) {
  ProfileDocument document(kHandWritten);
  document.setValue("INET", "VIASEND", "7");
  EXPECT_EQ(document.text(), handWrittenWith("  ViaSend =  2  \r\n", "ViaSend=7\r\n"));
  EXPECT_EQ(document.value("inet", "viasend"), "7");
}

TEST(ProfileDocumentWriteTest, ReplacedLineEndsWithCrLf) {
  ProfileDocument document(kHandWritten);
  document.setValue("Inet", "Quoted", "");
  EXPECT_EQ(document.text(), handWrittenWith("Quoted = \" spaced \"\n", "Quoted=\r\n"));
}

TEST(ProfileDocumentWriteTest, NewKeysFollowTheLastKeyLineInWriteOrder) {
  ProfileDocument document(kHandWritten);
  document.setValue("Inet", "LastSmena", "6");  // only in the later [INET]: added to the first
  document.setValue("Inet", "SendTime", "10:00:00");
  document.setValue("Inet", "lastsmena", "8");  // a key added earlier is replaced
  EXPECT_EQ(document.text(),
            handWrittenWith("Quoted = \" spaced \"\n",
                            "Quoted = \" spaced \"\nLastSmena=8\r\nSendTime=10:00:00\r\n"));
  EXPECT_EQ(document.value("INET", "LASTSMENA"), "8");
}

TEST(ProfileDocumentWriteTest, NewKeyAfterLoneCarriageReturnLine) {
  ProfileDocument document(kHandWritten);
  document.setValue("PORT", "ConfigFromDisk", "1");
  EXPECT_EQ(document.text(),
            handWrittenWith("ExDisk=D:\\Exchange\r", "ExDisk=D:\\Exchange\rConfigFromDisk=1\r\n"));
}

TEST(ProfileDocumentWriteTest, NewKeyAfterUnterminatedLastLineGetsABreakFirst) {
  ProfileDocument document(kHandWritten);
  document.setValue("\xCF\xCE\xD0\xD2", "Key", "y");  // "ПОРТ"
  EXPECT_EQ(document.text(), kHandWritten + "\r\nKey=y\r\n");
}

TEST(ProfileDocumentWriteTest, NewSectionGoesAtTheEnd) {
  ProfileDocument document(kHandWritten);
  document.setValue("AutoZapros", "Count", "2");
  document.setValue("AutoZaprosItem0", "Enable", "1");
  document.setValue("autozapros", "Extra", "");
  EXPECT_EQ(document.text(), kHandWritten +
                                 "\r\n[AutoZapros]\r\nCount=2\r\nExtra=\r\n"
                                 "[AutoZaprosItem0]\r\nEnable=1\r\n");
}

TEST(ProfileDocumentWriteTest, KeyOfEmptySectionFollowsItsHeader) {
  ProfileDocument document("[A]\n; about A\n\n[B]\nx=1\n");
  document.setValue("a", "k", "v");
  EXPECT_EQ(document.text(), "[A]\nk=v\r\n; about A\n\n[B]\nx=1\n");
}

TEST(ProfileDocumentWriteTest, EmptyDocumentGetsSectionAndKey) {
  ProfileDocument document;
  document.setValue(" Inet ", " Password ", "");
  EXPECT_EQ(document.text(), "[Inet]\r\nPassword=\r\n");
}

TEST(ProfileDocumentWriteTest, LineBreaksInWrittenTextsCannotAddLines) {
  ProfileDocument document("[Inet]\r\nViaSend=1\r\n");
  document.setValue("Inet", "ViaSend", "2\r\n[Evil]\r\nX=1");
  document.setValue("In\net", "K\rey", "v\n");
  const std::string text = document.text();
  EXPECT_EQ(text, "[Inet]\r\nViaSend=2  [Evil]  X=1\r\n[In et]\r\nK ey=\"v \"\r\n");
  const ProfileDocument reread(text);
  EXPECT_FALSE(reread.hasSection("Evil"));
  EXPECT_EQ(reread.value("Inet", "ViaSend"), "2  [Evil]  X=1");
}

TEST(ProfileDocumentWriteTest, ManyKeysInManySectionsRoundTrip) {
  ProfileDocument document;
  for (int section = 0; section < 300; ++section) {
    for (int key = 0; key < 10; ++key) {
      document.setValue("S" + std::to_string(section), "K" + std::to_string(key),
                        std::to_string(section * 10 + key));
    }
  }
  ProfileDocument reread(document.text());
  EXPECT_EQ(reread.value("s0", "k0"), "0");
  EXPECT_EQ(reread.value("S299", "K9"), "2999");
  EXPECT_EQ(reread.value("S150", "K3"), "1503");
  reread.setValue("S150", "K3", "changed");
  const std::string rewritten = reread.text();
  EXPECT_EQ(rewritten.size(), document.text().size() + 3);
}

}  // namespace
}  // namespace tarvel::platform
