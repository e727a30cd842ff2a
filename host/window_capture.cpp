#include "host/window_capture.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollArea>
#include <QWidget>
#include <QWindow>
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

QWidget* findWidget(const WidgetReference& reference) {
  QList<QWidget*> roots;
  if (QWidget* modal = QApplication::activeModalWidget()) {
    roots << modal;
  } else {
    roots = QApplication::topLevelWidgets();
  }
  int remaining = reference.index;
  for (QWidget* root : roots) {
    if (!root->isVisible()) continue;
    QList<QWidget*> candidates;
    if (root->objectName() == reference.objectName) candidates << root;
    candidates << root->findChildren<QWidget*>(reference.objectName);
    for (QWidget* candidate : candidates) {
      if (!candidate->isVisible()) continue;
      if (remaining-- == 0) return candidate;
    }
  }
  return nullptr;
}

void clickWidget(QWidget& widget) { clickWidgetAt(widget, widget.rect().center()); }

void clickWidgetAt(QWidget& widget, QPoint position) {
  // A person scrolls a widget into sight before clicking it; the click goes to a point in the
  // window, which outside the sight of a scroll area belongs to some other widget.
  for (QWidget* ancestor = widget.parentWidget(); ancestor != nullptr;
       ancestor = ancestor->parentWidget()) {
    if (auto* scrollArea = qobject_cast<QScrollArea*>(ancestor)) {
      scrollArea->ensureWidgetVisible(&widget);
    }
  }
  const QPoint global = widget.mapToGlobal(position);
  QWidget* window = widget.window();
  QObject* receiver = window->windowHandle();
  QPointF windowPosition = widget.mapTo(window, position);
  if (receiver == nullptr) {
    receiver = &widget;
    windowPosition = position;
  }
  QMouseEvent press(QEvent::MouseButtonPress, windowPosition, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  const QPointer<QObject> target = receiver;
  QCoreApplication::sendEvent(target, &press);
  // The press may have destroyed the window; the release then has nowhere to go.
  if (target.isNull()) return;
  QMouseEvent release(QEvent::MouseButtonRelease, windowPosition, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
}

QWidget* findVisibleWindow(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    const QString className = window->metaObject()->className();
    if (window->objectName() == name || className == name || className.endsWith("::" + name)) {
      return window;
    }
  }
  return nullptr;
}

}  // namespace tarvel::host
