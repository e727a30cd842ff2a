// The fixed colours of the plug-in's windows on a desktop's dark theme and on the light palette
// they were drawn for, measured on the windows as they are drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "window_looks/plugin_windows.h"

namespace tarvel::testing {
namespace {

// qt6ct's "darker" colour scheme, as a desktop hands it to every Qt program.
QPalette darkerPalette() {
  QPalette palette;
  const std::pair<QPalette::ColorRole, QColor> colours[] = {
      {QPalette::WindowText, QColor("#ffffff")},  {QPalette::Button, QColor("#424245")},
      {QPalette::Light, QColor("#979797")},       {QPalette::Midlight, QColor("#5e5c5b")},
      {QPalette::Dark, QColor("#302f2e")},        {QPalette::Mid, QColor("#4a4947")},
      {QPalette::Text, QColor("#ffffff")},        {QPalette::BrightText, QColor("#ffffff")},
      {QPalette::ButtonText, QColor("#ffffff")},  {QPalette::Base, QColor("#3d3d3d")},
      {QPalette::Window, QColor("#222020")},      {QPalette::Shadow, QColor("#e7e4e0")},
      {QPalette::Highlight, QColor("#12608a")},   {QPalette::HighlightedText, QColor("#f9f9f9")},
      {QPalette::Link, QColor("#0986d3")},        {QPalette::AlternateBase, QColor("#5c5b5a")},
      {QPalette::ToolTipBase, QColor("#3f3f36")}, {QPalette::ToolTipText, QColor("#ffffff")}};
  for (const auto& [role, colour] : colours) palette.setColor(role, colour);
  return palette;
}

// WCAG 2's contrast ratio of two sRGB colours.
double luminance(QRgb colour) {
  const auto linear = [](int channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
         0.0722 * linear(qBlue(colour));
}
double contrast(QRgb first, QRgb second) {
  const double a = luminance(first), b = luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// What of an element is measured: its caption, the outline of a legend swatch, or the handle of
// a magnifying glass on a button.
enum class Part { Caption, SwatchOutline, MagnifierHandle };

struct Element {
  const char* form;
  const char* name;
  std::optional<QColor> drawn;  // none: the palette's own text colour
  Part part;
  double minimumRatio;
};

// The pixel of what was measured that stands out most, and the background's pixel.
struct Measured {
  QRgb shown;
  QRgb background;
};

QRgb mostCommon(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y) | 0xFF000000u];
  }
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

QRgb mostContrasting(const QImage& image, const QRect& area, QRgb background) {
  QRgb found = background;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = image.pixel(x, y) | 0xFF000000u;
      if (contrast(pixel, background) > contrast(found, background)) found = pixel;
    }
  }
  return found;
}

Measured measure(QWidget& window, QWidget& element, Part part) {
  const QImage picture = window.grab().toImage();
  const auto inWindow = [&](const QRect& area) {
    return QRect(element.mapTo(&window, area.topLeft()), area.size());
  };
  switch (part) {
    case Part::Caption: {
      QRect caption = element.contentsRect();
      if (auto* box = qobject_cast<QCheckBox*>(&element)) {
        QStyleOptionButton option;
        option.initFrom(box);
        caption = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
      }
      if (qobject_cast<QLineEdit*>(&element) != nullptr) caption.adjust(3, 3, -3, -3);
      // The part of it inside the window (the editor's name stands a little above its top).
      const QRect area = inWindow(caption) & picture.rect();
      const QRgb background = mostCommon(picture, area);
      return {mostContrasting(picture, area, background), background};
    }
    case Part::SwatchOutline: {
      // The outline's left edge, against the panel just left of it.
      const QPoint edge = element.mapTo(&window, QPoint(0, element.height() / 2));
      return {picture.pixel(edge) | 0xFF000000u, picture.pixel(edge - QPoint(3, 0)) | 0xFF000000u};
    }
    case Part::MagnifierHandle: {
      // The 16 x 16 glass stands in the middle of the button, its handle in the lower right
      // quarter, where no glass is.
      const QRect button = inWindow(element.rect());
      const QRect icon(button.center() - QPoint(7, 7), QSize(16, 16));
      const QRgb background = mostCommon(picture, button);
      return {mostContrasting(picture, icon.adjusted(11, 11, 0, 0), background), background};
    }
  }
  return {};
}

// The desktop switches its theme: Qt tells the widgets of it through the event loop, which runs
// a moment.
void switchPalette(const QPalette& palette) {
  QApplication::setPalette(palette);
  // The windows work their colours out anew once every widget has heard of the palette, in
  // calls queued meanwhile: all of them are made before anything is measured, however long
  // they take on a busy machine.
  QCoreApplication::sendPostedEvents();
  QTest::qWait(20);
}

// The tab page of the element in front, clicked as the operator does.
void bringPageForward(QWidget& element) {
  for (QWidget* page = &element; page != nullptr; page = page->parentWidget()) {
    QWidget* stack = page->parentWidget();
    auto* tabs = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs == nullptr) continue;
    const int index = tabs->indexOf(page);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    return;
  }
}

const Element kElements[] = {
    {"TAutoZaprosOfficeForm", "lbAZSname", QColor(Qt::blue), Part::Caption, 4.5},
    {"TAutoZaprosOfficeForm", "CheckBox1", QColor(0, 0, 128), Part::Caption, 4.5},
    {"TAutoZaprosOfficeForm", "Shape1", QColor(Qt::black), Part::SwatchOutline, 3.0},
    {"TAutoItemSettForm", "lbAZSname", QColor(Qt::blue), Part::Caption, 4.5},
    {"TAutoItemSettForm", "meDayTime", QColor(128, 0, 0), Part::Caption, 4.5},
    {"TQueryForm", "lbAZS", QColor(Qt::blue), Part::Caption, 4.5},
    {"TQueryForm", "lbS", QColor(0, 128, 0), Part::Caption, 4.5},
    {"TQueryForm", "Label3", QColor(128, 0, 0), Part::Caption, 4.5},
    {"TAutoSendForm", "Label1", QColor(Qt::black), Part::Caption, 4.5},
    {"TAutoSendForm", "lb_last_autosend", QColor(Qt::blue), Part::Caption, 4.5},
    {"TAutoSendForm", "Label2", QColor(0, 0, 128), Part::Caption, 4.5},
    {"TFlashkaForm", "Label1", std::nullopt, Part::Caption, 4.5},
    {"TFlashkaForm", "BitBtn3", QColor(0x60, 0x40, 0x20), Part::MagnifierHandle, 3.0},
    {"TSecurityForm", "Label1", std::nullopt, Part::Caption, 4.5},
};

// Made on the dark theme, switched to the light palette and back while shown, as a desktop
// switches its theme: on the dark one every element reads, on the light one each has exactly
// the colour it was drawn with.
TEST(DarkPaletteTest, FixedColoursReadOnADarkThemeAndStayAsDrawnOnALightOne) {
  const QPalette light = QApplication::palette();
  switchPalette(darkerPalette());
  PluginWindows windows;
  std::map<std::string, QWidget*> shown;
  for (const std::string& form : PluginWindows::kFormNames) shown[form] = &windows.show(form);

  const auto expectReadable = [&](const char* when) {
    for (const Element& element : kElements) {
      QWidget& window = *shown[element.form];
      QWidget* widget = window.findChild<QWidget*>(element.name);
      ASSERT_NE(widget, nullptr) << element.form << " " << element.name;
      bringPageForward(*widget);
      const Measured measured = measure(window, *widget, element.part);
      const double ratio = contrast(measured.shown, measured.background);
      EXPECT_GE(ratio, element.minimumRatio)
          << when << ": " << element.form << " " << element.name << " "
          << QColor(measured.shown).name().toStdString() << " on "
          << QColor(measured.background).name().toStdString();
      ::testing::Test::RecordProperty(std::string(when) + " " + element.form + " " + element.name,
                                      QString::number(ratio, 'f', 2).toStdString());
    }
  };
  expectReadable("made dark");

  switchPalette(light);
  for (const Element& element : kElements) {
    QWidget& window = *shown[element.form];
    QWidget* widget = window.findChild<QWidget*>(element.name);
    ASSERT_NE(widget, nullptr);
    bringPageForward(*widget);
    const QColor expected = element.drawn.value_or(light.color(QPalette::WindowText));
    const QColor got = element.part == Part::Caption
                           ? widget->palette().color(widget->foregroundRole())
                           : QColor(measure(window, *widget, element.part).shown);
    EXPECT_EQ(got.name().toStdString(), expected.name().toStdString())
        << element.form << " " << element.name;
  }

  switchPalette(darkerPalette());
  expectReadable("switched to dark");
  switchPalette(light);
}

}  // namespace
}  // namespace tarvel::testing
