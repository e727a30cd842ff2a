// Remembered placement of the plug-in's windows between runs of the host, in one per-user
// settings file through QSettings ($XDG_CONFIG_HOME/Tarvel/placement.ini). A window with no
// remembered placement opens with its frame at the top left corner of the screen.
//
// What is kept is where the window's frame stood and how far its client area stood from that
// corner (the title bar and border the window manager gave it). A window is put back by its
// client area, which every window manager honours as asked; putting it back by a frame corner
// that some window managers read as the client's would move the window by its title bar at each
// opening. A place that the window system does not tell (Wayland) is never kept, so the one the
// operator chose under X survives a session on Wayland.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace tarvel::platform {

class FormPlacement {
 public:
  // name: the window's key in the file, usually its form class name.
  FormPlacement(QWidget* window, QString name);

  // Moves the window to its remembered position, or its frame to the top left corner of the
  // screen when none is remembered; a remembered position whose title bar would be on no screen
  // now (a monitor removed, a smaller desktop) is brought back onto the nearest screen. The size
  // is the form's own; only the position is restored.
  void restore();
  // Remembers the window's current position; nothing when the window was never shown or the
  // window system does not tell where windows stand.
  void save() const;
  // Call as the window is about to be shown, after whatever the showing resized: a window never
  // placed asks once more for its frame at the corner, as resizing a window not yet shown makes
  // Qt take the asked place for the client area's.
  void beforeShowing();

 private:
  QWidget* window_;
  QString name_;
  std::optional<QPoint> framePlace_;  // asked for by restore() and not yet shown
};

// Where a window's frame of frameSize (its top left corner at frameTopLeft) goes so that its title
// bar is on one of the screens (their available areas): frameTopLeft itself when its top edge
// lies on a screen with enough of the title bar beside it, otherwise the place nearest to it on
// the nearest screen that shows as much of the frame as fits.
QPoint placeOnScreens(QPoint frameTopLeft, QSize frameSize, const std::vector<QRect>& screens);

}  // namespace tarvel::platform
