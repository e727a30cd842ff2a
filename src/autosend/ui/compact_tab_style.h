// The tabs of the auto-send dialog carry their own blanks for spacing; with the style's padding
// added as well, the three tabs would not fit side by side in the page control's width. A proxy
// of the current style gives each tab only a thin margin round its caption and leaves
// everything else to the style. (A style sheet would do the same, but a window with one no
// longer follows a change of the desktop's palette.)
#pragma once

class QTabBar;

namespace tarvel::autosend {

// Gives tabs a style of its own (owned by tabs) with the thin margins.
void useCompactTabs(QTabBar* tabs);

}  // namespace tarvel::autosend
