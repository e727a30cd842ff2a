#include "host/window_capture.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QRegularExpression>
#include <QWidget>
#include <map>
#include <stdexcept>

namespace tarvel::host {
namespace {

QString fileBaseName(const QWidget& window) {
  QString name = window.objectName();
  if (name.isEmpty()) name = window.metaObject()->className();
  name.replace(QRegularExpression("[^A-Za-z0-9_.-]"), "_");
  return name.isEmpty() ? QString("window") : name;
}

}  // namespace

QStringList saveWindowScreenshots(const QString& folder) {
  QDir directory(folder);
  if (!directory.mkpath(".")) {
    throw std::runtime_error("cannot create " + folder.toStdString());
  }
  std::map<QString, int> uses;
  QStringList written;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    const QString base = fileBaseName(*window);
    const int use = ++uses[base];
    const QString name = use == 1 ? base : QString("%1-%2").arg(base).arg(use);
    const QString path = directory.filePath(name + ".png");
    if (!window->grab().save(path, "PNG")) {
      throw std::runtime_error("cannot write " + path.toStdString());
    }
    written << path;
  }
  written.sort();
  return written;
}

int closeModalWindows() {
  int closed = 0;
  QWidget* previous = nullptr;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    // A window that stays modal after closing refused; asking again would never end.
    if (modal == previous || !modal->close()) break;
    previous = modal;
    ++closed;
  }
  return closed;
}

}  // namespace tarvel::host
