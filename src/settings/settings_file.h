// Where cnf.INI lies, and the operations of the plug-in on it. Each function is one operation:
// it opens the file, reads or writes its keys in the order given, and closes it. The writes of
// one operation reach the file together or not at all (a writer that throws std::runtime_error
// has left the file as it was), under the lock that all writers of cnf.INI take.
#pragma once

#include <filesystem>
#include <string>

#include "settings/inet_settings.h"

namespace tarvel::settings {

// The full path of cnf.INI in the Windows directory.
std::filesystem::path SettingsFilePath();

// Load: removes what saves of cnf.INI killed before their rename left beside it (their
// temporary files), unless a writer holds the file right now. Never fails: Load goes on.
void removeInterruptedSaves() noexcept;

// Load at a station: reads AutoSendEnable, ViaSend, WhenSend, SendInterval, SendTime,
// LastSmena, LastAutoSendTime, PasswordEnable, Password, EnableAutoZapros from section Inet.
// An error ends the reading silently: the values read so far keep their new values.
void readStationSettings(InetSettings& inet, ConnectionSecurity& security) noexcept;

// Load at the office: reads PasswordEnable and Password; when that fails, writes both back
// from memory instead (PasswordEnable, then Password). Errors of that write are swallowed too.
void readOfficeSettings(ConnectionSecurity& security) noexcept;

// The auto-send dialog's Apply: AutoSendEnable, ViaSend, WhenSend, SendInterval, SendTime,
// LastSmena, LastAutoSendTime, EnableAutoZapros. Throws when the file cannot be written.
void writeAutoSendSettings(const InetSettings& inet);

// The scheduler after a send: LastSmena, then LastAutoSendTime.
void writeLastSend(const InetSettings& inet);

// The reset link: LastAutoSendTime alone.
void writeLastAutoSendTime(const InetSettings& inet);

// The password dialog's Apply: Password (scrambled), then PasswordEnable.
void writeConnectionSecurity(const ConnectionSecurity& security);

// The station-rename command: NAME in section PORT, unchanged.
void writeStationName(const std::string& name);

// The removable-media keys of section Port.
struct RemovableMediaSettings {
  std::string ExDisk = "A:\\";
  bool ConfigFromDisk = false;
  bool AutoAddTovarUp = false;
};
// ExDisk, ConfigFromDisk, AutoAddTovarUp; absent keys keep the defaults above. Throws
// std::runtime_error when cnf.INI exists but cannot be read.
RemovableMediaSettings readRemovableMediaSettings();
// Writes ExDisk; then, when withStationSwitches, ConfigFromDisk and AutoAddTovarUp.
void writeRemovableMediaSettings(const RemovableMediaSettings& media, bool withStationSwitches);

}  // namespace tarvel::settings
