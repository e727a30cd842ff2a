#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/profile_file.h"
#include "platform/profile_storage.h"
#include "settings/scramble.h"
#include "support/temporary_installation.h"

namespace tarvel::settings {
namespace {

using testing::TemporaryInstallation;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setClockForTests(kNow); }
  void TearDown() override { platform::setClockForTests(std::nullopt); }

  const double kNow = platform::encodeDateTime(2024, 5, 17, 9, 41, 30);
  TemporaryInstallation installation_;
};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST_F(SettingsFileTest, PathIsCnfIniInTheWindowsDirectory) {
  EXPECT_EQ(SettingsFilePath(), installation_.root() / "WINDOWS" / "cnf.INI");
}

TEST_F(SettingsFileTest, StationWithoutFileTakesEveryDefault) {
  InetSettings inet{true, 3, 3, 5, 0.75, 12, 100.5, true};
  ConnectionSecurity security{true, ""};
  readStationSettings(inet, security);
  EXPECT_FALSE(inet.AutoSendEnable);
  EXPECT_EQ(inet.ViaSend, 0);
  EXPECT_EQ(inet.WhenSend, 0);
  EXPECT_EQ(inet.SendInterval, 1);
  EXPECT_DOUBLE_EQ(inet.SendTime, platform::encodeTime(9, 41, 30));
  EXPECT_EQ(inet.LastSmena, 0);
  EXPECT_EQ(inet.LastAutoSendTime, 0.0);
  EXPECT_FALSE(inet.EnableAutoZapros);
  EXPECT_FALSE(security.PasswordEnable);
  EXPECT_EQ(security.ConnectionPassword, "");
  EXPECT_FALSE(std::filesystem::exists(installation_.settingsFile()));
}

TEST_F(SettingsFileTest, StationReadsAllTenKeys) {
  installation_.writeSettings(
      "[INET]\r\nautosendenable=1\r\nViaSend=abc\r\nWhenSend=3\r\nSendInterval=0x10\r\n"
      "SendTime=14:30\r\nLastSmena=42\r\nLastAutoSendTime=05.03.2007 14:30:00\r\n"
      "PasswordEnable=-1\r\nPassword=" +
      lowerCase(ScrambleToHex(kPasswordUserKey, "abcdefghijkl")) + "\r\nEnableAutoZapros=2\r\n");
  InetSettings inet;
  ConnectionSecurity security;
  readStationSettings(inet, security);
  EXPECT_TRUE(inet.AutoSendEnable);
  EXPECT_EQ(inet.ViaSend, 0);
  EXPECT_EQ(inet.WhenSend, 3);
  EXPECT_EQ(inet.SendInterval, 16);
  EXPECT_DOUBLE_EQ(inet.SendTime, platform::encodeTime(14, 30));
  EXPECT_EQ(inet.LastSmena, 42);
  EXPECT_DOUBLE_EQ(inet.LastAutoSendTime, platform::encodeDateTime(2007, 3, 5, 14, 30));
  EXPECT_TRUE(inet.EnableAutoZapros);
  EXPECT_TRUE(security.PasswordEnable);
  EXPECT_EQ(security.ConnectionPassword, "abcdefghij");  // cut to ten characters
}

TEST_F(SettingsFileTest, AbsentPasswordKeyUnscramblesThePasswordInMemory) {
  installation_.writeSettings("[Inet]\r\nPasswordEnable=1\r\n");
  ConnectionSecurity security{false, ScrambleToHex(kPasswordUserKey, "kept")};
  readOfficeSettings(security);
  EXPECT_TRUE(security.PasswordEnable);
  EXPECT_EQ(security.ConnectionPassword, "kept");
}

TEST_F(SettingsFileTest, OfficeReadsOnlyThePasswordKeys) {
  installation_.writeSettings("[Inet]\r\nPasswordEnable=1\r\nPassword=" +
                              ScrambleToHex(kPasswordUserKey, "secret") + "\r\n");
  ConnectionSecurity security;
  readOfficeSettings(security);
  EXPECT_TRUE(security.PasswordEnable);
  EXPECT_EQ(security.ConnectionPassword, "secret");
}

TEST_F(SettingsFileTest, UnreadableFileLeavesStationValuesAndIsSwallowed) {
  std::filesystem::create_directory(installation_.settingsFile());
  InetSettings inet{true, 2, 3, 4, 0.5, 6, 7.25, true};
  ConnectionSecurity security{true, "pw"};
  readStationSettings(inet, security);
  EXPECT_TRUE(inet.AutoSendEnable);
  EXPECT_EQ(inet.ViaSend, 2);
  EXPECT_EQ(inet.SendInterval, 4);
  EXPECT_EQ(security.ConnectionPassword, "pw");
}

TEST_F(SettingsFileTest, OfficeFallsBackToWritingWhenTheReadFails) {
  // A cnf.INI too large to be read: the read fails, and so does the write that follows it.
  installation_.writeSettings("[Inet]\r\nPasswordEnable=0\r\n");
  std::filesystem::resize_file(installation_.settingsFile(), platform::kMaximumProfileFileSize + 1);
  ConnectionSecurity security{true, "pw"};
  readOfficeSettings(security);
  EXPECT_TRUE(security.PasswordEnable);
  EXPECT_EQ(security.ConnectionPassword, "pw");
  EXPECT_EQ(std::filesystem::file_size(installation_.settingsFile()),
            platform::kMaximumProfileFileSize + 1);
  // The write was attempted: it took the writers' lock beside the file.
  EXPECT_TRUE(std::filesystem::exists(platform::profileLockPath(installation_.settingsFile())));
}

TEST_F(SettingsFileTest, AutoSendApplyWritesItsKeysInOrder) {
  InetSettings inet{true,
                    3,
                    2,
                    4,
                    platform::encodeDateTime(2024, 1, 1, 18, 5),
                    12,
                    platform::encodeDateTime(2007, 3, 5),
                    false};
  writeAutoSendSettings(inet);
  EXPECT_EQ(installation_.settingsText(),
            "[Inet]\r\nAutoSendEnable=1\r\nViaSend=3\r\nWhenSend=2\r\nSendInterval=4\r\n"
            "SendTime=18:05:00\r\nLastSmena=12\r\nLastAutoSendTime=05.03.2007\r\n"
            "EnableAutoZapros=0\r\n");
  InetSettings reread;
  ConnectionSecurity security;
  readStationSettings(reread, security);
  EXPECT_TRUE(reread.AutoSendEnable);
  EXPECT_EQ(reread.SendInterval, 4);
  EXPECT_DOUBLE_EQ(reread.SendTime, platform::encodeTime(18, 5));
  EXPECT_DOUBLE_EQ(reread.LastAutoSendTime, platform::encodeDateTime(2007, 3, 5));
}

TEST_F(SettingsFileTest, SchedulerAndResetChangeOnlyTheirKeys) {
  const std::string before =
      "; station\n[inet]\nLastAutoSendTime = 01.01.2020 \nOther=x\n\n[Port]\nExDisk=A:\\\n";
  installation_.writeSettings(before);
  InetSettings inet;
  inet.LastSmena = 7;
  inet.LastAutoSendTime = platform::encodeDateTime(2024, 5, 17, 9, 41, 30);
  writeLastSend(inet);
  EXPECT_EQ(installation_.settingsText(),
            "; station\n[inet]\nLastAutoSendTime=17.05.2024 09:41:30\r\nOther=x\nLastSmena=7\r\n"
            "\n[Port]\nExDisk=A:\\\n");
  inet.LastAutoSendTime = 0;
  writeLastAutoSendTime(inet);
  EXPECT_EQ(installation_.settingsText(),
            "; station\n[inet]\nLastAutoSendTime=30.12.1899\r\nOther=x\nLastSmena=7\r\n"
            "\n[Port]\nExDisk=A:\\\n");
  InetSettings reread{true, 0, 0, 1, 0, 0, 55.0, false};
  ConnectionSecurity security;
  readStationSettings(reread, security);
  EXPECT_EQ(reread.LastAutoSendTime, 0.0);
}

TEST_F(SettingsFileTest, PasswordApplyWritesPasswordThenSwitch) {
  writeConnectionSecurity({true, "password"});
  EXPECT_EQ(installation_.settingsText(),
            "[Inet]\r\nPassword=666964616879617D\r\nPasswordEnable=1\r\n");
  writeConnectionSecurity({false, ""});
  EXPECT_EQ(installation_.settingsText(), "[Inet]\r\nPassword=\r\nPasswordEnable=0\r\n");
}

TEST_F(SettingsFileTest, StationNameAndMediaKeysShareOneSection) {
  writeStationName("\xc0\xc7\xd1 7");  // "АЗС 7"
  writeRemovableMediaSettings({"D:\\Exchange\\", true, false}, true);
  EXPECT_EQ(installation_.settingsText(),
            "[PORT]\r\nNAME=\xc0\xc7\xd1 7\r\nExDisk=D:\\Exchange\\\r\nConfigFromDisk=1\r\n"
            "AutoAddTovarUp=0\r\n");
  const RemovableMediaSettings media = readRemovableMediaSettings();
  EXPECT_EQ(media.ExDisk, "D:\\Exchange\\");
  EXPECT_TRUE(media.ConfigFromDisk);
  EXPECT_FALSE(media.AutoAddTovarUp);
}

TEST_F(SettingsFileTest, OfficeMediaApplyWritesOnlyTheDisk) {
  writeRemovableMediaSettings({"E:\\", true, true}, false);
  EXPECT_EQ(installation_.settingsText(), "[Port]\r\nExDisk=E:\\\r\n");
}

TEST_F(SettingsFileTest, MediaDefaultsWithoutKeys) {
  const RemovableMediaSettings media = readRemovableMediaSettings();
  EXPECT_EQ(media.ExDisk, "A:\\");
  EXPECT_FALSE(media.ConfigFromDisk);
  EXPECT_FALSE(media.AutoAddTovarUp);
}

TEST_F(SettingsFileTest, WritersThrowWhenTheWindowsFolderIsMissing) {
  std::filesystem::remove_all(installation_.root() / "WINDOWS");
  EXPECT_THROW(writeAutoSendSettings(InetSettings{}), std::runtime_error);
  EXPECT_THROW(writeStationName("x"), std::runtime_error);
}

}  // namespace
}  // namespace tarvel::settings
