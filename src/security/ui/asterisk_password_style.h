// The password box shows "*" for each character. A line edit in password mode shows whatever
// character the style names, on most platforms today a round bullet; a proxy of the current
// style names the asterisk instead and leaves everything else to the style.
#pragma once

class QLineEdit;

namespace tarvel::security {

// Gives edit a style of its own (owned by edit) whose password character is "*".
void showAsterisksForPassword(QLineEdit* edit);

}  // namespace tarvel::security
