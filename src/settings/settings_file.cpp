#include "settings/settings_file.h"

#include "platform/clock.h"
#include "platform/install_root.h"
#include "platform/profile_file.h"
#include "platform/profile_storage.h"
#include "settings/scramble.h"

namespace tarvel::settings {
namespace {

using platform::ProfileFile;

constexpr std::string_view kInet = "Inet";
constexpr std::string_view kPort = "Port";

// The stored password, read with the password in memory as its default, as clear text of at
// most kMaximumPasswordLength characters.
std::string readPassword(const ProfileFile& file, const std::string& current) {
  const std::string stored = file.readString(kInet, "Password", current);
  std::string clear = UnscrambleFromHex(kPasswordUserKey, stored);
  if (clear.size() > kMaximumPasswordLength) clear.resize(kMaximumPasswordLength);
  return clear;
}

void writePassword(ProfileFile& file, const ConnectionSecurity& security) {
  file.writeString(kInet, "Password", ScrambleToHex(kPasswordUserKey, security.ConnectionPassword));
}

}  // namespace

std::filesystem::path SettingsFilePath() { return platform::windowsDirectory() / "cnf.INI"; }

void removeInterruptedSaves() noexcept {
  try {
    platform::removeAbandonedTemporaries(platform::resolveProfilePath(SettingsFilePath()));
  } catch (...) {
    // The files stay for the next Load; nothing else depends on them.
  }
}

void readStationSettings(InetSettings& inet, ConnectionSecurity& security) noexcept {
  try {
    const ProfileFile file = ProfileFile::openForReading(SettingsFilePath());
    inet.AutoSendEnable = file.readBool(kInet, "AutoSendEnable", false);
    inet.ViaSend = file.readInteger(kInet, "ViaSend", 0);
    inet.WhenSend = file.readInteger(kInet, "WhenSend", 0);
    inet.SendInterval = file.readInteger(kInet, "SendInterval", 1);
    inet.SendTime = file.readTime(kInet, "SendTime", platform::timeOfDay(platform::now()));
    inet.LastSmena = file.readInteger(kInet, "LastSmena", 0);
    inet.LastAutoSendTime = file.readDateTime(kInet, "LastAutoSendTime", 0);
    security.PasswordEnable = file.readBool(kInet, "PasswordEnable", false);
    security.ConnectionPassword = readPassword(file, security.ConnectionPassword);
    inet.EnableAutoZapros = file.readBool(kInet, "EnableAutoZapros", false);
  } catch (...) {
    // Load goes on with what was read; the rest keeps its previous values.
  }
}

void readOfficeSettings(ConnectionSecurity& security) noexcept {
  try {
    const ProfileFile file = ProfileFile::openForReading(SettingsFilePath());
    security.PasswordEnable = file.readBool(kInet, "PasswordEnable", false);
    security.ConnectionPassword = readPassword(file, security.ConnectionPassword);
  } catch (...) {
    try {
      ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
      file.writeBool(kInet, "PasswordEnable", security.PasswordEnable);
      writePassword(file, security);
      file.commit();
    } catch (...) {
      // Load goes on with the values in memory.
    }
  }
}

void writeAutoSendSettings(const InetSettings& inet) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  file.writeBool(kInet, "AutoSendEnable", inet.AutoSendEnable);
  file.writeInteger(kInet, "ViaSend", inet.ViaSend);
  file.writeInteger(kInet, "WhenSend", inet.WhenSend);
  file.writeInteger(kInet, "SendInterval", inet.SendInterval);
  file.writeTime(kInet, "SendTime", inet.SendTime);
  file.writeInteger(kInet, "LastSmena", inet.LastSmena);
  file.writeDateTime(kInet, "LastAutoSendTime", inet.LastAutoSendTime);
  file.writeBool(kInet, "EnableAutoZapros", inet.EnableAutoZapros);
  file.commit();
}

void writeLastSend(const InetSettings& inet) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  file.writeInteger(kInet, "LastSmena", inet.LastSmena);
  file.writeDateTime(kInet, "LastAutoSendTime", inet.LastAutoSendTime);
  file.commit();
}

void writeLastAutoSendTime(const InetSettings& inet) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  file.writeDateTime(kInet, "LastAutoSendTime", inet.LastAutoSendTime);
  file.commit();
}

void writeConnectionSecurity(const ConnectionSecurity& security) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  writePassword(file, security);
  file.writeBool(kInet, "PasswordEnable", security.PasswordEnable);
  file.commit();
}

void writeStationName(const std::string& name) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  file.writeString("PORT", "NAME", name);
  file.commit();
}

RemovableMediaSettings readRemovableMediaSettings() {
  const ProfileFile file = ProfileFile::openForReading(SettingsFilePath());
  RemovableMediaSettings media;
  media.ExDisk = file.readString(kPort, "ExDisk", media.ExDisk);
  media.ConfigFromDisk = file.readBool(kPort, "ConfigFromDisk", media.ConfigFromDisk);
  media.AutoAddTovarUp = file.readBool(kPort, "AutoAddTovarUp", media.AutoAddTovarUp);
  return media;
}

void writeRemovableMediaSettings(const RemovableMediaSettings& media, bool withStationSwitches) {
  ProfileFile file = ProfileFile::openForWriting(SettingsFilePath());
  file.writeString(kPort, "ExDisk", media.ExDisk);
  if (withStationSwitches) {
    file.writeBool(kPort, "ConfigFromDisk", media.ConfigFromDisk);
    file.writeBool(kPort, "AutoAddTovarUp", media.AutoAddTovarUp);
  }
  file.commit();
}

}  // namespace tarvel::settings
