#include "security/core/connection_password.h"

#include "settings/settings_file.h"

namespace tarvel::security {

void applyConnectionPassword(settings::ConnectionSecurity& security, const std::string& typed,
                             bool enabled) {
  // The limit counts Windows-1251 bytes, the form the password is kept and stored in.
  security.ConnectionPassword = typed.substr(0, settings::kMaximumPasswordLength);
  security.PasswordEnable = enabled;
  settings::writeConnectionSecurity(security);
}

}  // namespace tarvel::security
