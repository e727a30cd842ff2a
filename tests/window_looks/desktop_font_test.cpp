// The plug-in's windows on a desktop with a larger font than the default one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <map>

#include "window_looks/plugin_windows.h"

namespace tarvel::testing {
namespace {

// Every shown caption of the window has the room its text needs.
void expectNoCaptionCutOff(QWidget& window, const std::string& form) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    const std::string where = form + " " + widget->objectName().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && !label->text().isEmpty()) {
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << where;
      } else {
        EXPECT_LE(label->sizeHint().width(), label->width()) << where;
        EXPECT_LE(label->sizeHint().height(), label->height()) << where;
      }
    }
    // A check box that wraps its caption shows it in a label of its own, checked above.
    const bool oneLineCaption = (qobject_cast<QCheckBox*>(widget) != nullptr ||
                                 qobject_cast<QRadioButton*>(widget) != nullptr) &&
                                widget->findChild<QLabel*>() == nullptr;
    if (oneLineCaption) {
      EXPECT_LE(widget->sizeHint().width(), widget->width()) << where;
    }
  }
}

// Each window at the default desktop font has the size it was drawn with; at 14 points it is as
// much larger as the font is, and at both no caption is cut off.
TEST(DesktopFontTest, WindowsGrowWithTheDesktopFontAndCutNoCaptionOff) {
  const std::map<std::string, QSize> drawn = {
      // The editor's outer height is 415, here less the offscreen window's frame.
      {"TAutoZaprosOfficeForm", {763, 366}},
      {"TAutoItemSettForm", {389, 411}},
      {"TQueryForm", {401, 167}},
      {"TAutoSendForm", {389, 235}},
      {"TFlashkaForm", {275, 149}},
      {"TSecurityForm", {396, 139}}};
  const QFont defaultFont = QApplication::font();
  ASSERT_EQ(defaultFont.pointSizeF(), 9.0);
  QFont desktopFont = defaultFont;
  desktopFont.setPointSizeF(14);
  const double growth = 14.0 / 9.0;

  for (const std::string& form : PluginWindows::kFormNames) {
    QSize atDefault;
    {
      PluginWindows windows;
      QWidget& window = windows.show(form);
      atDefault = window.size();
      EXPECT_EQ(atDefault, drawn.at(form)) << form;
      expectNoCaptionCutOff(window, form);
    }
    QApplication::setFont(desktopFont);
    {
      PluginWindows windows;
      QWidget& window = windows.show(form);
      // Give or take the rounding and the window frame, which keeps its size.
      EXPECT_NEAR(window.width(), atDefault.width() * growth, 3) << form;
      EXPECT_NEAR(window.height(), atDefault.height() * growth, 3) << form;
      expectNoCaptionCutOff(window, form);
    }
    QApplication::setFont(defaultFont);
  }
}

}  // namespace
}  // namespace tarvel::testing
