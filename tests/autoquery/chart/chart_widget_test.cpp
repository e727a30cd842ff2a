// The chart as the office window shows it (Image1), and what hovering it tells.
#include "autoquery/chart/ui/chart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <set>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/draw_timeline.h"
#include "platform/readable_colour.h"
#include "autoquery/chart/text_stamp.h"
#include "autoquery/chart/timeline_chart.h"
#include "autoquery/chart/timeline_hints.h"
#include "chart_test_items.h"
#include "platform/cp1251.h"
#include "support/user_actions.h"

namespace tarvel::autoquery::chart {
namespace {

using namespace testing;
using platform::contrastRatio;
using platform::kLineContrast;
using platform::kTextContrast;

class ChartWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setClockForTests(monday(9, 30)); }
  void TearDown() override {
    platform::setClockForTests(std::nullopt);
    QApplication::setPalette(lightPalette);
  }

  const QPalette lightPalette = QApplication::palette();
};

// The widget as a screen of the device pixel ratio shows it.
QImage paintedAt(QWidget& widget, qreal ratio) {
  QImage picture((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  widget.render(&picture);
  return picture;
}

// The runs of pixels of a colour on line y of a picture: where each begins, and how wide it is.
std::vector<std::pair<int, int>> runsOf(const QImage& picture, int y, QRgb colour) {
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < picture.width(); ++x) {
    if (picture.pixel(x, y) != colour) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == x) {
      ++runs.back().second;
    } else {
      runs.emplace_back(x, 1);
    }
  }
  return runs;
}

TEST_F(ChartWidgetTest, ShowsThePicturesPixelsAtItsSize) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00", "23:30"}));
  items.push_back(daily({"10:00"}));
  items.push_back(station(false, ScheduleKind::Daily, {"12:00"}));
  ChartWidget widget;
  widget.redraw(pointers(items), 2, 3);
  QImage expected;
  DrawTimeline(pointers(items), expected, 2, 3, widget.palette().color(QPalette::Button).rgb());
  EXPECT_EQ(widget.objectName(), "Image1");
  EXPECT_EQ(widget.size(), QSize(600, 140));
  EXPECT_EQ(widget.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(ChartWidgetTest, AnUnreadableTimeKeepsTheChartShownBefore) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00"}));
  ChartWidget widget;
  widget.redraw(pointers(items), 2, 3);
  const TimelineChart* shown = widget.chart();
  items.push_back(daily({"10.0"}));
  EXPECT_THROW(widget.redraw(pointers(items), 5, 3), std::runtime_error);
  EXPECT_EQ(widget.chart(), shown);
  EXPECT_EQ(widget.size(), QSize(600, 60));
}

TEST_F(ChartWidgetTest, HintsNameTheStationAndTheSessionOrAllStationsThatMeet) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00"}, "North"));
  items.push_back(daily({"10:00", "15:00"}, "South"));
  const TimelineChart chart(pointers(items), 1, 2, monday(9, 30), kButtonFace);
  // 09:30 at zoom 1: x0 = round(1 - 39.58) = -39; 10:00 at 3 .. 6, tomorrow's 15:00 at 124.
  EXPECT_EQ(
      timelineHint(chart, {4, 40 + 20}),
      text::kOverlapHeader + std::string("\nNorth  07.12.2026 10:00\nSouth  07.12.2026 10:00"));
  EXPECT_EQ(timelineHint(chart, {125, 40 + 16}), "South\n08.12.2026 15:00");
  EXPECT_EQ(timelineHint(chart, {125, 40 + 29}), "");  // the band's edge, not the box
  EXPECT_EQ(timelineHint(chart, {125, 20}), "");       // North has no session there

  ChartWidget widget;
  widget.resize(200, 100);
  widget.show();
  widget.redraw(pointers(items), 1, 2);
  QHelpEvent hover(QEvent::ToolTip, QPoint(125, 56), widget.mapToGlobal(QPoint(125, 56)));
  QApplication::sendEvent(&widget, &hover);
  EXPECT_EQ(QToolTip::text(), "South\n08.12.2026 15:00");
}

TEST_F(ChartWidgetTest, ArrowKeysGoThroughTheOverlapsAndDescribeAndShowTheOneReached) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00", "15:00"}, "North"));
  items.push_back(daily({"10:00"}, "South"));
  items.push_back(daily({"15:00"}, "East"));
  ChartWidget widget;
  widget.show();
  widget.redraw(pointers(items), 1, 2);
  EXPECT_EQ(widget.focusPolicy(), Qt::StrongFocus);
  // Today's 10:00 and 15:00 meet, and tomorrow's.
  ASSERT_EQ(widget.overlaps().size(), 4u);
  const auto hintAt = [&](int stop) {
    return platform::toUnicode(overlapHint(*widget.chart(), widget.overlaps()[stop].first));
  };
  const struct {
    Qt::Key key;
    int reached;
  } steps[] = {{Qt::Key_Right, 0}, {Qt::Key_Right, 1}, {Qt::Key_Left, 0}, {Qt::Key_End, 3},
               {Qt::Key_Right, 3}, {Qt::Key_Home, 0},  {Qt::Key_Right, 1}};
  for (const auto& step : steps) {
    tarvel::testing::pressKey(widget, step.key);
    EXPECT_EQ(widget.focusedOverlap(), step.reached) << step.key;
    EXPECT_EQ(widget.accessibleDescription(), hintAt(step.reached)) << step.key;
    EXPECT_EQ(QToolTip::text(), hintAt(step.reached)) << step.key;
  }
  EXPECT_TRUE(hintAt(1).contains("North  07.12.2026 15:00\nEast  07.12.2026 15:00"));
  // A redraw starts afresh.
  widget.redraw(pointers(items), 1, 2);
  EXPECT_EQ(widget.focusedOverlap(), -1);
  EXPECT_EQ(widget.accessibleDescription(),
            platform::toUnicode(text::kOverlapsCount + std::string("4") + text::kOverlapKeys));
}

TEST_F(ChartWidgetTest, AtFractionalScalesHourMarksHaveOneWidthAndEvenSpacing) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(true, ScheduleKind::MonthDates, {"10:00"}));
  items.push_back(station(false, ScheduleKind::Daily, {"10:00"}));
  ChartWidget widget;
  widget.redraw(pointers(items), 2, 2);
  const QRgb outline = colour::kBlack;
  for (const qreal ratio : {1.25, 1.5, 2.0}) {
    const QImage picture = paintedAt(widget, ratio);
    for (int row = 0; row < 2; ++row) {
      // The band's top edge is the first line of the row in the outline colour from end to end;
      // the hour marks stand on the line above it.
      int edge = static_cast<int>(40 * row * ratio);
      while (edge < picture.height() &&
             runsOf(picture, edge, outline) != std::vector{std::pair{0, picture.width()}}) {
        ++edge;
      }
      ASSERT_LT(edge, picture.height()) << ratio;
      const auto marks = runsOf(picture, edge - 1, outline);
      ASSERT_GE(marks.size(), 2u * 24) << ratio;
      std::set<int> widths, spacings;
      for (size_t i = 0; i < marks.size(); ++i) {
        widths.insert(marks[i].second);
        if (i > 0) spacings.insert(marks[i].first - marks[i - 1].first);
      }
      EXPECT_EQ(widths, std::set<int>{std::max(1, static_cast<int>(ratio))})
          << "ratio " << ratio << " row " << row;
      EXPECT_LE(*spacings.rbegin() - *spacings.begin(), 1) << "ratio " << ratio << " row " << row;
    }
  }
}

TEST_F(ChartWidgetTest, OnADarkPaletteTextsLinesAndMarksStayReadableAndOnALightOneUnchanged) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(true, ScheduleKind::MonthDates, {"10:00"}));
  QPalette dark = lightPalette;
  for (const auto role : {QPalette::Window, QPalette::Button}) dark.setColor(role, 0x424242);
  for (const auto role : {QPalette::WindowText, QPalette::ButtonText}) dark.setColor(role, Qt::white);
  // In a shown window, as in the office: a theme changed later reaches it then.
  QWidget window;
  ChartWidget& widget = *new ChartWidget(&window);
  window.show();
  widget.redraw(pointers(items), 2, 2);
  const ChartGeometry g = widget.chart()->geometry();
  const int midday = g.X(1) + g.P / 2;
  // Where each element has its pixels: a text's glyphs, a line's or a mark's single pixel.
  const auto glyphs = [](const QString& text, LabelFont font, QPoint at) {
    std::vector<QPoint> points;
    for (const QPoint& offset : stampOf(text, font).pixels()) points.push_back(at + offset);
    return points;
  };
  const struct {
    const char* element;
    std::vector<QPoint> pixels;
    QRgb fixed;
    double ratio;
  } elements[] = {
      {"12:00", glyphs("12:00", LabelFont::Time, {midday - 10, 17}), colour::kTimeMaroon,
       kTextContrast},
      {"00:00", glyphs("00:00", LabelFont::Time, {g.X(1) - 11, 17}), colour::kTimeMaroon,
       kTextContrast},
      {"date label", glyphs("08.12", LabelFont::Day, {midday - 16, g.dateLabelTop()}),
       colour::kLabelBlue, kTextContrast},
      {"day line", {{g.X(1), 2}}, colour::kLabelBlue, kLineContrast},
      {"band outline", {{g.X(1) + 3, 15}}, colour::kBlack, kLineContrast},
      {"hour mark", {{g.hourMark(1, 3), 14}}, colour::kBlack, kLineContrast},
      {"midday dot", {{midday, 13}}, colour::kBlack, kLineContrast}};
  // Light, dark as the window draws it when shown, light again as a theme switched while shown.
  const struct {
    const QPalette& palette;
    bool redraw;
  } steps[] = {{lightPalette, true}, {dark, true}, {lightPalette, false}};
  for (const auto& step : steps) {
    QApplication::setPalette(step.palette);
    QCoreApplication::processEvents();  // the palette reaches a shown window as an event
    if (step.redraw) widget.redraw(pointers(items), 2, 2);
    const QImage picture = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb background = picture.pixel(g.X(1) + 3, 5);
    const bool isDark = &step.palette == &dark;
    EXPECT_EQ(background, step.palette.color(QPalette::Button).rgb()) << isDark;
    for (const auto& element : elements) {
      std::set<QRgb> colours;
      double weakest = 21;
      for (const QPoint& point : element.pixels) {
        colours.insert(picture.pixel(point));
        weakest = std::min(weakest, contrastRatio(QColor(picture.pixel(point)), QColor(background)));
      }
      if (isDark) {
        EXPECT_GE(weakest, element.ratio) << element.element;
      } else {
        EXPECT_EQ(colours, std::set<QRgb>{element.fixed}) << element.element;
      }
    }
  }
}

}  // namespace
}  // namespace tarvel::autoquery::chart
