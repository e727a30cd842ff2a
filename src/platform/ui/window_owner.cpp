#include "platform/ui/window_owner.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>
#include <QWindow>

namespace tarvel::platform {
namespace {

// Whether candidate is window, or belongs to it directly or through other windows.
bool belongsTo(const QWidget* candidate, const QWidget* window) {
  if (window == nullptr) return false;
  const QWindow* windowHandle = window->windowHandle();
  if (candidate == window) return true;
  if (windowHandle == nullptr) return false;
  for (const QWindow* step = candidate->windowHandle(); step != nullptr;
       step = step->transientParent()) {
    if (step == windowHandle) return true;
  }
  return false;
}

bool usable(const QWidget* candidate, const QWidget* window) {
  return candidate != nullptr && candidate->isVisible() && !belongsTo(candidate, window);
}

// The host's own main window: a shown QMainWindow, else a shown plain window that belongs to
// no other.
QWidget* mainWindow(const QWidget* window) {
  QWidget* plain = nullptr;
  for (QWidget* candidate : QApplication::topLevelWidgets()) {
    if (!usable(candidate, window)) continue;
    if (qobject_cast<QMainWindow*>(candidate) != nullptr) return candidate;
    const QWindow* handle = candidate->windowHandle();
    if (plain == nullptr && candidate->windowType() == Qt::Window && handle != nullptr &&
        handle->transientParent() == nullptr) {
      plain = candidate;
    }
  }
  return plain;
}

}  // namespace

QWidget* operatorWindow(const QWidget* window) {
  // A modal window blocks all others: a new window that did not stand above it would be hidden
  // by a click on it.
  for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
    if (usable(candidate, window)) return candidate->window();
  }
  return mainWindow(window);
}

void belongToOwner(QWidget& window, QWidget* owner) {
  if (owner == nullptr || !owner->isVisible()) owner = operatorWindow(&window);
  // The window handle is what the window system is told about; it is made here when the window
  // was never shown.
  window.winId();
  QWindow* ownerHandle = owner != nullptr ? owner->window()->windowHandle() : nullptr;
  // QWindow keeps its transient parent in a guarded pointer: an owner that goes first leaves
  // none behind.
  window.windowHandle()->setTransientParent(ownerHandle);
}

}  // namespace tarvel::platform
