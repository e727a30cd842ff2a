#include "platform/ui/form_placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <limits>

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

// The distance of the client area from the frame's corner that the window manager gives the
// windows shown already (the active one first), for a window that was never placed itself.
QPoint frameOffsetOfShownWindows(const QWidget* except) {
  QWidget* candidates[] = {QApplication::activeWindow(), QApplication::activeModalWidget()};
  for (const QWidget* shown : candidates) {
    if (shown != nullptr && shown != except && shown->isVisible()) {
      return shown->geometry().topLeft() - shown->frameGeometry().topLeft();
    }
  }
  return {0, 0};
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
  const QPoint frameTopLeft = file.value(name_ + "/position", QPoint(0, 0)).toPoint();
  const QVariant rememberedOffset = file.value(name_ + "/clientOffset");
  const QPoint clientOffset =
      rememberedOffset.isValid() ? rememberedOffset.toPoint() : frameOffsetOfShownWindows(window_);
  // The frame as large as the client area and the borders around it (the bottom border taken
  // as wide as the side ones).
  const QSize frameSize =
      window_->size() + QSize(2 * clientOffset.x(), clientOffset.y() + clientOffset.x());
  const QPoint placed = placeOnScreens(frameTopLeft, frameSize, availableScreenAreas());
  window_->setGeometry(QRect(placed + clientOffset, window_->size()));
}

void FormPlacement::save() const {
  QSettings file(placementFilePath(), QSettings::IniFormat);
  const QPoint frameTopLeft = window_->frameGeometry().topLeft();
  file.setValue(name_ + "/position", frameTopLeft);
  file.setValue(name_ + "/clientOffset", window_->geometry().topLeft() - frameTopLeft);
}

}  // namespace tarvel::platform
