#include "autoquery/core/azs_item.h"

#include <gtest/gtest.h>

#include <vector>

#include "autoquery/core/autoquery_texts.h"
#include "platform/profile_file.h"
#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

using platform::ProfileFile;
using Slots = std::vector<ConnectionPoint>;

constexpr char kSection[] = "AutoZaprosItem0";

class AzsItemFile : public ::testing::Test {
 protected:
  void save(const TAzsItem& item) const {
    ProfileFile file = ProfileFile::openForWriting(installation.settingsFile());
    item.SaveToIni(file, kSection);
    file.commit();
  }
  TAzsItem load() const {
    TAzsItem item;
    item.LoadFromIni(ProfileFile::openForReading(installation.settingsFile()), kSection);
    return item;
  }

  testing::TemporaryInstallation installation;
};

TEST_F(AzsItemFile, FreshItemIsOffAskingDirectIpDailyWithoutTimes) {
  const TAzsItem item;
  EXPECT_EQ(item.Index, 0);
  EXPECT_FALSE(item.Enable);
  EXPECT_TRUE(item.HasUserQuery);
  EXPECT_EQ(item.AZSName, text::kUndefinedName);
  EXPECT_EQ(item.ConnType, 3);
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Daily);
  EXPECT_FALSE(item.CP.has_value());
  // A missing section gives the same item, with an empty daily list.
  const TAzsItem loaded = load();
  EXPECT_EQ(loaded.AZSName, text::kUndefinedName);
  EXPECT_EQ(loaded.CP, Slots{});
}

struct SaveCase {
  const char* name;
  int32_t kind;
  std::optional<Slots> timeSlots;
  const char* expectedTimeLines;  // what follows ConnTimeTipe
};

TEST_F(AzsItemFile, SaveWritesTheKeysInOrderAndOnlyTheSlotsItsKindKeeps) {
  const SaveCase cases[] = {
      {"daily without times", 1, Slots{}, "CPcount=0\r\n"},
      {"daily: unset slot gets no key, same time twice", 1, Slots{"08:00", std::nullopt, "08:00"},
       "CPcount=3\r\nCP0time=08:00\r\nCP2time=08:00\r\n"},
      {"weekdays: empty days are written empty", 2,
       Slots{"09:00", "", "09:00", "", "09:00", "", ""},
       "CPcount=7\r\nCP0time=09:00\r\nCP1time=\r\nCP2time=09:00\r\nCP3time=\r\nCP4time=09:00\r\n"
       "CP5time=\r\nCP6time=\r\n"},
      {"weekdays: slots after Sunday are dropped", 2,
       Slots{"", "", "", "", "", "", "10:00", "11:00", "12:00"},
       "CPcount=7\r\nCP0time=\r\nCP1time=\r\nCP2time=\r\nCP3time=\r\nCP4time=\r\nCP5time=\r\n"
       "CP6time=10:00\r\n"},
      {"dates of the month keep no times", 3, Slots{"08:00"}, ""},
      {"daily without a list", 1, std::nullopt, ""},
  };
  for (const SaveCase& test : cases) {
    SCOPED_TRACE(test.name);
    std::filesystem::remove(installation.settingsFile());
    TAzsItem item;
    item.Enable = true;
    item.HasUserQuery = false;
    item.AZSName = "A";
    item.ConnType = 1;
    item.ConnTimeTipe = test.kind;
    item.CP = test.timeSlots;
    save(item);
    EXPECT_EQ(installation.settingsText(),
              std::string("[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=A\r\n"
                          "ConnType=1\r\nConnTimeTipe=") +
                  std::to_string(test.kind) + "\r\n" + test.expectedTimeLines);
  }
}

struct LoadCase {
  const char* name;
  const char* keys;
  int32_t ConnType;
  int32_t kind;
  std::optional<Slots> timeSlots;
};

TEST_F(AzsItemFile, LoadReadsCountedSlotsAndKeepsUnknownValues) {
  const LoadCase cases[] = {
      {"CPcount above the day reads the times present, missing ones unset",
       "CPcount=2147483647\r\nCP0time=08:00\r\nCP2time=09:00\r\n", 3, 1,
       Slots{"08:00", std::nullopt, "09:00"}},
      {"missing slot key reads 00:00", "CPcount=3\r\nCP0time=08:00\r\nCP2time=09:00\r\n", 3, 1,
       Slots{"08:00", "00:00", "09:00"}},
      {"stale slot beyond CPcount is not read",
       "ConnTimeTipe=2\r\nCPcount=3\r\nCP0time=\r\nCP1time=\r\nCP2time=\r\nCP5time=07:00\r\n", 3, 2,
       Slots{"", "", ""}},
      {"kind 3 reads no times", "ConnTimeTipe=3\r\nCPcount=2\r\nCP0time=08:00\r\n", 3, 3,
       std::nullopt},
      {"unknown kind and connection type stay", "ConnType=7\r\nConnTimeTipe=9\r\n", 7, 9,
       std::nullopt},
      {"hexadecimal and unreadable integers", "ConnType=0x2\r\nConnTimeTipe=daily\r\n", 2, 1,
       Slots{}},
      {"negative CPcount reads as none", "CPcount=-5\r\nCP0time=08:00\r\n", 3, 1, Slots{}},
  };
  for (const LoadCase& test : cases) {
    SCOPED_TRACE(test.name);
    installation.writeSettings(std::string("[AutoZaprosItem0]\r\n") + test.keys);
    const TAzsItem item = load();
    EXPECT_EQ(item.ConnType, test.ConnType);
    EXPECT_EQ(item.ConnTimeTipe, test.kind);
    EXPECT_EQ(item.CP, test.timeSlots);
  }
}

TEST_F(AzsItemFile, MidnightsReadForMissingKeysStayWithoutKeysThroughASave) {
  installation.writeSettings(
      "[AutoZaprosItem0]\r\nCPcount=4\r\nCP0time=08:00\r\nCP2time=00:00\r\n");
  const TAzsItem item = load();
  EXPECT_EQ(item.CP, (Slots{"08:00", "00:00", "00:00", "00:00"}));
  EXPECT_EQ(item.slotsWithoutKey, (std::vector<int32_t>{1, 3}));
  std::filesystem::remove(installation.settingsFile());
  save(item);
  EXPECT_EQ(installation.settingsText().substr(installation.settingsText().find("CPcount")),
            "CPcount=4\r\nCP0time=08:00\r\nCP2time=00:00\r\n");
  EXPECT_EQ(load().slotsWithoutKey, item.slotsWithoutKey);
}

TEST_F(AzsItemFile, WeekdaysSurviveSaveAndLoadWithTheirEmptyDaysAndNothingElseIsErased) {
  installation.writeSettings("[AutoZaprosItem0]\r\nCP9time=06:00\r\nOther=kept\r\n");
  TAzsItem item;
  item.ConnType = 7;
  item.ConnTimeTipe = ScheduleKind::Weekdays;
  item.CP = Slots{"09:00", "", "", "", "", "", "18:30"};
  save(item);
  const TAzsItem loaded = load();
  EXPECT_EQ(loaded.CP, item.CP);
  EXPECT_EQ(loaded.ConnType, 7);
  const ProfileFile file = ProfileFile::openForReading(installation.settingsFile());
  EXPECT_EQ(file.readString(kSection, "CP9time", "gone"), "06:00");
  EXPECT_EQ(file.readString(kSection, "Other", "gone"), "kept");
}

}  // namespace
}  // namespace tarvel::autoquery
