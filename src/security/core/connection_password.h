// What the connection password dialog's Apply keeps and stores.
#pragma once

#include <string>

#include "settings/inet_settings.h"

namespace tarvel::security {

// Keeps the first kMaximumPasswordLength bytes of typed (Windows-1251) as the password and
// enabled as the switch, in memory first, then writes both to cnf.INI: Password scrambled,
// then PasswordEnable. Throws when the file cannot be written; memory keeps the new values.
void applyConnectionPassword(settings::ConnectionSecurity& security, const std::string& typed,
                             bool enabled);

}  // namespace tarvel::security
