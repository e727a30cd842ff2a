// Remembered placement of the plug-in's windows between runs of the host, in one per-user
// settings file through QSettings ($XDG_CONFIG_HOME/Tarvel/placement.ini). A window with no
// remembered placement opens at the top left corner of the screen.
#pragma once

#include <QString>

class QWidget;

namespace tarvel::platform {

class FormPlacement {
 public:
  // name: the window's key in the file, usually its form class name.
  FormPlacement(QWidget* window, QString name);

  // Moves the window to its remembered position, or to (0, 0) when none is remembered. The
  // size is the form's own; only the position is restored.
  void restore();
  // Remembers the window's current position.
  void save() const;

 private:
  QWidget* window_;
  QString name_;
};

}  // namespace tarvel::platform
