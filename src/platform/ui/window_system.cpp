#include "platform/ui/window_system.h"

#include <QGuiApplication>
#include <QString>

namespace tarvel::platform {
namespace {

// "wayland", "wayland-egl", "wayland-brcm": Qt's Wayland platforms.
bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

bool windowPlacesAreKnown() { return !onWayland(); }

bool titleBarsAreDrawnByQt() {
  return onWayland() && qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") == 0;
}

}  // namespace tarvel::platform
