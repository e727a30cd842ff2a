#include "platform/ui/form_font.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tarvel::platform {
namespace {

constexpr double kPointsPerInch = 72.0;

double applicationFontPoints() {
  const QFont font = QGuiApplication::font();
  if (font.pointSizeF() > 0) return font.pointSizeF();
  // A font given in pixels: its points at the screen's logical resolution.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dotsPerInch = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  return font.pixelSize() * kPointsPerInch / dotsPerInch;
}

}  // namespace

double formScale() { return std::max(1.0, applicationFontPoints() / kDefaultDesktopPointSize); }

int scaled(int designPixels) { return static_cast<int>(std::lround(designPixels * formScale())); }

QPoint scaled(QPoint design) { return {scaled(design.x()), scaled(design.y())}; }

QSize scaled(QSize design) { return {scaled(design.width()), scaled(design.height())}; }

QRect scaled(const QRect& design) { return {scaled(design.topLeft()), scaled(design.size())}; }

QFont formFont() {
  static const QString family = [] {
    const QStringList preferred = {"Tahoma", "Liberation Sans", "DejaVu Sans", "Noto Sans"};
    const QStringList available = QFontDatabase::families();
    for (const QString& candidate : preferred) {
      if (available.contains(candidate)) return candidate;
    }
    return QFont().family();
  }();
  QFont font(family);
  font.setPixelSize(scaled(kFormPixelSize));
  return font;
}

void applyFormFont(QWidget* window) { window->setFont(formFont()); }

void widenToFitCaption(QWidget* widget) {
  const int wanted = widget->sizeHint().width();
  if (wanted > widget->width()) widget->resize(wanted, widget->height());
}

}  // namespace tarvel::platform
