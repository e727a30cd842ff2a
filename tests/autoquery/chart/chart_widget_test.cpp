// The chart as the office window shows it (Image1), and what hovering it tells.
#include "autoquery/chart/ui/chart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/draw_timeline.h"
#include "autoquery/chart/timeline_chart.h"
#include "autoquery/chart/timeline_hints.h"
#include "chart_test_items.h"
#include "platform/cp1251.h"
#include "support/user_actions.h"

namespace tarvel::autoquery::chart {
namespace {

using namespace testing;

class ChartWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setClockForTests(monday(9, 30)); }
  void TearDown() override { platform::setClockForTests(std::nullopt); }
};

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

}  // namespace
}  // namespace tarvel::autoquery::chart
