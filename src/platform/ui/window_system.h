// What the window system under Qt does for the plug-in's windows, asked of the running platform.
#pragma once

namespace tarvel::platform {

// Whether Qt learns where a top-level window stands on the screen. An X window manager tells
// it; a Wayland compositor keeps the places of windows from its clients, so what Qt reports
// there is no place the operator chose.
bool windowPlacesAreKnown();

// Whether Qt draws the title bars itself, inside the window: on Wayland, unless decorations are
// switched off (QT_WAYLAND_DISABLE_WINDOWDECORATION). A compositor that decorates windows itself
// gets them too, a little wider than needed.
bool titleBarsAreDrawnByQt();

}  // namespace tarvel::platform
