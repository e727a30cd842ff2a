// The connection settings held in memory between Load and UnLoad: the station's auto-send
// values of section Inet and the connection password.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel::settings {

struct InetSettings {
  bool AutoSendEnable = false;
  int32_t ViaSend = 0;            // a ConnectionType; other values: none
  int32_t WhenSend = 0;           // a SendMoment; other values: never
  int32_t SendInterval = 1;       // N, whole hours
  double SendTime = 0;            // only the time of day counts
  int32_t LastSmena = 0;          // shift number at the last send in the shift mode
  double LastAutoSendTime = 0;    // day count; 0 means never
  bool EnableAutoZapros = false;  // ask the operator before each send
};

struct ConnectionSecurity {
  bool PasswordEnable = false;
  std::string ConnectionPassword;  // at most kMaximumPasswordLength characters
};

inline constexpr std::size_t kMaximumPasswordLength = 10;

}  // namespace tarvel::settings
