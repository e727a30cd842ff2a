#include "autoquery/core/auto_azs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/office_station_list.h"
#include "autoquery/core/poll_due.h"
#include "platform/cp1251_literal.h"
#include "platform/profile_file.h"
#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

using platform::operator""_cp1251;

class Registry : public ::testing::Test {
 protected:
  testing::TemporaryInstallation installation;
};

TEST_F(Registry, FileWithoutTheHeaderLoadsEmpty) {
  installation.writeSettings("[AutoZaprosItem0]\r\nAZSName=X\r\n");
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  EXPECT_EQ(registry.Count(), 0);
}

TEST_F(Registry, CountBeyondTheSectionsLoadsFreshItemsIndexedByPosition) {
  installation.writeSettings(
      "[AutoZapros]\r\nCount=3\r\n"
      "[AutoZaprosItem0]\r\nAZSName=A\r\nEnable=1\r\n"
      "[AutoZaprosItem1]\r\nAZSName=B\r\nConnTimeTipe=3\r\n");
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Count(), 3);
  EXPECT_EQ(registry.Items(0).AZSName, "A");
  EXPECT_EQ(registry.Items(1).ConnTimeTipe, ScheduleKind::MonthDates);
  const TAzsItem& third = registry.Items(2);
  EXPECT_EQ(third.AZSName, text::kUndefinedName);
  EXPECT_FALSE(third.Enable);
  EXPECT_EQ(third.CP, std::vector<ConnectionPoint>{});
  for (int32_t position = 0; position < 3; ++position) {
    EXPECT_EQ(registry.Items(position).Index, position);
  }
}

TEST_F(Registry, ReloadReplacesTheContentsOfTheSameRegistryWithTheFile) {
  installation.writeSettings("[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nAZSName=A\r\n");
  tAutoAZS registry;
  for (const char* name : {"X", "Y", "Z"}) registry.Add().AZSName = name;
  registry.Items(0).Enable = true;
  registry.ReloadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Count(), 1);
  EXPECT_EQ(registry.Items(0).AZSName, "A");
  EXPECT_FALSE(registry.Items(0).Enable);
  EXPECT_EQ(registry.Items(0).Index, 0);

  // A file that cannot be read leaves nothing of the dropped contents.
  std::filesystem::remove(installation.settingsFile());
  std::filesystem::create_directories(installation.settingsFile());
  EXPECT_THROW(registry.ReloadFromIni(installation.settingsFile()), std::runtime_error);
  EXPECT_EQ(registry.Count(), 0);
}

TEST_F(Registry, CountOutsideTheBoundsLoadsAtMostTheBound) {
  const struct {
    const char* count;
    int32_t expected;
  } cases[] = {{"-4", 0}, {"2147483647", kMaxItemCount}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.count);
    installation.writeSettings(std::string("[AutoZapros]\r\nCount=") + test.count + "\r\n");
    tAutoAZS registry;
    registry.LoadFromIni(installation.settingsFile());
    EXPECT_EQ(registry.Count(), test.expected);
  }
}

TEST_F(Registry, SlotsOfAllItemsTogetherStopAtTheBudget) {
  constexpr int32_t kFullItems = kMaxConnectionPointTotal / kMaxConnectionPointCount;
  std::string text = "[AutoZapros]\r\nCount=" + std::to_string(kFullItems + 2) + "\r\n";
  for (int32_t position = 0; position < kFullItems + 2; ++position) {
    text += "[" + itemSectionName(position) + "]\r\nCPcount=1440\r\n";
  }
  installation.writeSettings(text);
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Count(), kFullItems + 2);
  EXPECT_EQ(registry.Items(kFullItems - 1).CP->size(), std::size_t(kMaxConnectionPointCount));
  EXPECT_EQ(registry.Items(kFullItems).CP, std::vector<ConnectionPoint>{});
  EXPECT_EQ(registry.Items(kFullItems + 1).CP, std::vector<ConnectionPoint>{});
}

TEST_F(Registry, CountOfSlotsAboveTheDayPollsOnlyTheTimesPresentAndSaveKeepsTheFile) {
  const std::string file =
      "[AutoZapros]\r\nCount=2\r\n"
      "[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=A\r\nConnType=1\r\n"
      "ConnTimeTipe=1\r\nCPcount=99999999\r\n"
      "[AutoZaprosItem1]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=B\r\nConnType=1\r\n"
      "ConnTimeTipe=1\r\nCPcount=99999999\r\n"
      "CP0time=08:00\r\nCP3time=09:00\r\n";
  installation.writeSettings(file);
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Count(), 2);
  // 3 March 2025, a Monday.
  EXPECT_TRUE(duePolls(registry, platform::encodeDateTime(2025, 3, 3, 0, 0)).empty());
  const std::vector<DuePoll> atNine =
      duePolls(registry, platform::encodeDateTime(2025, 3, 3, 9, 0));
  ASSERT_EQ(atNine.size(), 1u);
  EXPECT_EQ(atNine[0].AZSName, "B");

  registry.SaveToIni(installation.settingsFile());
  EXPECT_EQ(installation.settingsText(), file);
}

TEST_F(Registry, TimesMissingBelowTheCountMakeOnePollAtMidnightNotOnePerSlot) {
  installation.writeSettings(
      "[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nEnable=1\r\nCPcount=1440\r\n");
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Items(0).CP->size(), std::size_t(kMaxConnectionPointCount));
  EXPECT_EQ(duePolls(registry, platform::encodeDateTime(2025, 3, 3, 0, 0)).size(), 1u);
}

TEST_F(Registry, SaveAfterLiningUpWritesTheRegistrysCountWhateverTheFileHeld) {
  // The file holds seven stations, and in the first case Count names more than the bound.
  std::string sections;
  for (int32_t position = 0; position < 7; ++position) {
    sections += "[" + itemSectionName(position) + "]\r\nEnable=1\r\nAZSName=S" +
                std::to_string(position) + "\r\nCPcount=1\r\nCP0time=08:05\r\n";
  }
  for (const int32_t stored : {kMaxItemCount + 3, 7}) {
    SCOPED_TRACE(stored);
    installation.writeSettings("[AutoZapros]\r\nCount=" + std::to_string(stored) + "\r\n" +
                               sections);
    tAutoAZS registry;
    registry.LoadFromIni(installation.settingsFile());
    synchroniseWithOfficeDatabase(registry, {"S0", "S1", "S2", "S3", "S4"}, true);
    registry.SaveToIni(installation.settingsFile());

    const auto file = platform::ProfileFile::openForReading(installation.settingsFile());
    EXPECT_EQ(file.readInteger("AutoZapros", "Count", 0), 5);
    // As for any registry that shrank, the sections beyond stay in the file, no longer read.
    EXPECT_TRUE(file.sectionExists(itemSectionName(6)));
    tAutoAZS reloaded;
    reloaded.LoadFromIni(installation.settingsFile());
    EXPECT_EQ(reloaded.Count(), 5);
  }
}

TEST_F(Registry, SaveLeavesTheItemsOfAFileWhoseCountIsNoCount) {
  const std::string items =
      "[AutoZaprosItem0]\r\nEnable=1\r\nAZSName=A\r\n"
      "[AutoZaprosItem1]\r\nEnable=1\r\nAZSName=B\r\n";
  const struct {
    std::string count;
    bool saved;
  } cases[] = {{"-5", false}, {u8"3 штуки"_cp1251, false}, {"", false}, {"0x2", true}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.count);
    const std::string stored = "[AutoZapros]\r\nCount=" + test.count + "\r\n" + items;
    installation.writeSettings(stored);
    tAutoAZS registry;
    registry.LoadFromIni(installation.settingsFile());
    // The office window lines the registry up with the database, then "Применить" saves.
    synchroniseWithOfficeDatabase(registry, {"A", "B"}, true);
    if (test.saved) {
      registry.SaveToIni(installation.settingsFile());
    } else {
      EXPECT_THROW(registry.SaveToIni(installation.settingsFile()), std::runtime_error);
      EXPECT_EQ(installation.settingsText(), stored);
    }
    const auto file = platform::ProfileFile::openForReading(installation.settingsFile());
    EXPECT_TRUE(file.readBool(itemSectionName(0), "Enable", false));
  }
}

TEST_F(Registry, RegistryAboveTheBoundIsNotSaved) {
  installation.writeSettings("[AutoZapros]\r\nCount=1\r\n");
  tAutoAZS registry;
  for (int32_t position = 0; position <= kMaxItemCount; ++position) registry.Add();
  EXPECT_THROW(registry.SaveToIni(installation.settingsFile()), std::length_error);
  EXPECT_EQ(installation.settingsText(), "[AutoZapros]\r\nCount=1\r\n");
}

TEST_F(Registry, FileBeginningWithAByteOrderMarkLoadsAndKeepsItsMark) {
  installation.writeSettings(
      "\xEF\xBB\xBF[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nAZSName=A\r\n");
  tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(registry.Count(), 1);
  EXPECT_EQ(registry.Items(0).AZSName, "A");
  registry.Add().AZSName = "B";
  registry.SaveToIni(installation.settingsFile());
  const std::string saved = installation.settingsText();
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF[AutoZapros]\r\nCount=2\r\n[AutoZaprosItem0]\r\n"))
      << saved;
  EXPECT_EQ(saved.find("[AutoZapros]", 4), std::string::npos);
}

TEST_F(Registry, StationNameWithLineBreaksStaysOneValue) {
  tAutoAZS registry;
  registry.Add().AZSName = "A\r\n[Inet]\r\nAutoSendEnable=1";
  registry.SaveToIni(installation.settingsFile());
  const auto file = platform::ProfileFile::openForReading(installation.settingsFile());
  EXPECT_FALSE(file.sectionExists("Inet"));
  tAutoAZS reloaded;
  reloaded.LoadFromIni(installation.settingsFile());
  EXPECT_EQ(reloaded.Items(0).AZSName, "A  [Inet]  AutoSendEnable=1");
}

TEST_F(Registry, DeleteMovesLaterItemsDownKeepingTheirIndex) {
  tAutoAZS registry;
  for (const char* name : {"A", "B", "C"}) registry.Add().AZSName = name;
  registry.Delete(0);
  ASSERT_EQ(registry.Count(), 2);
  EXPECT_EQ(registry.Items(0).AZSName, "B");
  EXPECT_EQ(registry.Items(0).Index, 1);
  EXPECT_EQ(registry.Items(1).Index, 2);
  registry.Delete(1);
  EXPECT_EQ(registry.Count(), 1);
  EXPECT_THROW(registry.Delete(1), std::out_of_range);
  EXPECT_THROW(registry.Delete(-1), std::out_of_range);
  EXPECT_THROW(registry.Items(1), std::out_of_range);
}

TEST(WeekDayName, NamesEachIsoWeekday) {
  // 3 March 2025 was a Monday.
  using platform::operator""_cp1251;
  const char* expected[] = {u8"ПН"_cp1251, u8"ВТ"_cp1251, u8"СР"_cp1251, u8"ЧТ"_cp1251,
                            u8"ПТ"_cp1251, u8"СБ"_cp1251, u8"ВС"_cp1251};
  for (int day = 0; day < 7; ++day) {
    SCOPED_TRACE(day);
    EXPECT_STREQ(WeekDayName(platform::encodeDateTime(2025, 3, 3 + day, 23, 59)), expected[day]);
  }
}

}  // namespace
}  // namespace tarvel::autoquery
