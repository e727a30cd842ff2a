#include "platform/ui/title_width.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

namespace tarvel::platform {
namespace {

// Qt's title bar writes the title in the application's font at 14 pixels.
constexpr int kTitlePixelSize = 14;
// What stands right of the title in Qt's title bar: three buttons of 18 pixels with 5 between
// them and before the title, 8 to the frame and the frame's 3. The centred title needs as much
// on its left.
constexpr int kButtonsWidth = 3 * 18 + 3 * 5 + 8 + 3;
// Rounding of the text's width, and a pixel of air.
constexpr int kSlack = 4;

}  // namespace

int widthForTitle(const QString& title) {
  QFont titleFont = QGuiApplication::font();
  const int inApplicationFont = QFontMetrics(titleFont).horizontalAdvance(title);
  titleFont.setPixelSize(kTitlePixelSize);
  const int inTitleFont = QFontMetrics(titleFont).horizontalAdvance(title);
  return std::max(inApplicationFont, inTitleFont) + 2 * kButtonsWidth + kSlack;
}

void widenForTitle(QWidget& window, bool titleBarDrawnInWindow) {
  if (!titleBarDrawnInWindow) return;
  const int needed = widthForTitle(window.windowTitle());
  if (window.width() >= needed) return;
  if (window.minimumWidth() == window.maximumWidth()) {
    window.setFixedWidth(needed);
    return;
  }
  window.setMaximumWidth(std::max(window.maximumWidth(), needed));
  window.setMinimumWidth(needed);
}

}  // namespace tarvel::platform
