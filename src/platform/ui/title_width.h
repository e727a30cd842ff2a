// Room for a window's whole title in a title bar that Qt draws inside the window (Wayland): the
// title stands centred between the window's edges, and the minimise, maximise and close buttons
// take the room at the right, so a window narrower than the title and both sides' buttons cuts
// it.
#pragma once

#include <QString>

class QWidget;

namespace tarvel::platform {

// The narrowest client area whose title bar, drawn by Qt, shows title whole.
int widthForTitle(const QString& title);

// When titleBarDrawnInWindow, widens the window to widthForTitle of its title where it is
// narrower (a window of fixed size keeps a fixed size, wider); otherwise leaves it as it is.
void widenForTitle(QWidget& window, bool titleBarDrawnInWindow);

}  // namespace tarvel::platform
