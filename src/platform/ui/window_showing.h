// What every window of the plug-in gets each time it is shown, before the window system sees
// it: it belongs to its owner (see window_owner.h), and a title bar that Qt draws shows its
// whole title (see title_width.h).
#pragma once

class QWidget;

namespace tarvel::platform {

// Call from the window's showEvent. owner: the window it serves; nullptr for the window the
// operator works in at this showing.
void prepareForShowing(QWidget& window, QWidget* owner = nullptr);

}  // namespace tarvel::platform
