#include "platform/ui/form_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <limits>

#include "platform/ui/window_system.h"

namespace tarvel::platform {
namespace {

// How much of the title bar, from the frame's left corner, must stand on a screen for the
// window to be grabbed and moved there.
constexpr int kGrabbableTitleWidth = 60;

QString placementFilePath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return folder + "/Tarvel/placement.ini";
}

std::vector<QRect> availableScreenAreas() {
  std::vector<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas.push_back(screen->availableGeometry());
  return areas;
}

int clampedInto(int start, int length, int areaStart, int areaLength) {
  // As much as fits, the leading edge first.
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

int64_t squaredDistance(QPoint point, const QRect& area) {
  const int64_t dx = point.x() < area.left()    ? area.left() - point.x()
                     : point.x() > area.right() ? point.x() - area.right()
                                                : 0;
  const int64_t dy = point.y() < area.top()      ? area.top() - point.y()
                     : point.y() > area.bottom() ? point.y() - area.bottom()
                                                 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

QPoint placeOnScreens(QPoint frameTopLeft, QSize frameSize, const std::vector<QRect>& screens) {
  if (screens.empty()) return frameTopLeft;
  const int titleWidth = std::min(kGrabbableTitleWidth, std::max(frameSize.width(), 1));
  const auto onAScreen = [&](QPoint point) {
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QRect& screen) { return screen.contains(point); });
  };
  // Both ends of the title's start, which may stand across two screens side by side.
  if (onAScreen(frameTopLeft) && onAScreen(frameTopLeft + QPoint(titleWidth - 1, 0))) {
    return frameTopLeft;
  }
  const QRect* nearest = &screens.front();
  int64_t nearestDistance = std::numeric_limits<int64_t>::max();
  for (const QRect& screen : screens) {
    const int64_t distance = squaredDistance(frameTopLeft, screen);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = &screen;
    }
  }
  return {clampedInto(frameTopLeft.x(), frameSize.width(), nearest->left(), nearest->width()),
          clampedInto(frameTopLeft.y(), frameSize.height(), nearest->top(), nearest->height())};
}

FormPlacement::FormPlacement(QWidget* window, QString name)
    : window_(window), name_(std::move(name)) {}

void FormPlacement::restore() {
  const QSettings file(placementFilePath(), QSettings::IniFormat);
  const QVariant position = file.value(name_ + "/position");
  const QVariant clientOffset = file.value(name_ + "/clientOffset");
  const QPoint framePosition = position.isValid() ? position.toPoint() : QPoint(0, 0);
  if (!clientOffset.isValid()) {
    // Never placed (or kept without its client area's place): the frame asked for there. Where
    // the window manager will put the client area is not known before the window is shown (the
    // plug-in's windows may be made before any window is), and the window manager puts the
    // title bar at the frame's place asked for.
    framePlace_ = placeOnScreens(framePosition, window_->size(), availableScreenAreas());
    window_->move(*framePlace_);
    return;
  }
  framePlace_.reset();
  // The frame as large as the client area and the borders around it (the bottom border taken
  // as wide as the side ones).
  const QPoint offset = clientOffset.toPoint();
  const QSize frameSize = window_->size() + QSize(2 * offset.x(), offset.y() + offset.x());
  const QPoint placed = placeOnScreens(framePosition, frameSize, availableScreenAreas());
  window_->setGeometry(QRect(placed + offset, window_->size()));
}

void FormPlacement::beforeShowing() {
  if (!framePlace_ || window_->windowHandle() == nullptr) return;
  window_->windowHandle()->setFramePosition(*framePlace_);
  framePlace_.reset();
}

void FormPlacement::save() const {
  // Where the window system keeps the place from Qt, or the window never stood on the screen,
  // there is no place to keep: the one remembered from before stays.
  if (!windowPlacesAreKnown() || window_->windowHandle() == nullptr) return;
  QSettings file(placementFilePath(), QSettings::IniFormat);
  const QPoint frameTopLeft = window_->frameGeometry().topLeft();
  file.setValue(name_ + "/position", frameTopLeft);
  file.setValue(name_ + "/clientOffset", window_->geometry().topLeft() - frameTopLeft);
}

}  // namespace tarvel::platform
