// Image1 of the office window: the schedule time-line chart at the full size of its picture,
// which never exists as a whole. Each redraw takes "now" once and prepares the chart; each paint
// event asks it for the exposed rectangles only, so a chain of any size scrolls at the cost of
// one screen. Hovering a session box or an overlap shows what lies there.
//
// The chart takes the keyboard focus: Right and Left move through the stretches where sessions
// of different stations meet (Home and End to the first and last), and the one reached is marked,
// brought into sight, shown as its hover hint is and given as the widget's accessible
// description, so a screen reader tells who collides with whom. Before that, the focused chart is
// framed, and Tab onto it keeps its beginning in sight: the station names beside it and the day
// labels above.
//
// On a screen of a fractional scale the chart is painted in the screen's own pixels (see
// timeline_chart.h), and its colours follow the palette's button face, dark ones included.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <span>
#include <vector>

#include "autoquery/chart/chart_geometry.h"
#include "autoquery/chart/timeline_hints.h"

namespace tarvel::autoquery {
class TAzsItem;
}

namespace tarvel::autoquery::chart {

class TimelineChart;

class ChartWidget : public QWidget {
  Q_OBJECT

 public:
  // Named "Image1"; empty until the first redraw.
  explicit ChartWidget(QWidget* parent = nullptr);
  ~ChartWidget() override;

  // Prepares the chart of the items (row i shows items[i]) at a zoom over span days at the
  // clock's present moment, on the palette's button colour; the widget takes the picture's size
  // and repaints. Throws as TimelineChart does (an unreadable time text) and then keeps the
  // chart it showed.
  void redraw(std::span<const TAzsItem* const> items, int zoom, int span);

  // The chart shown, or null before the first redraw.
  const TimelineChart* chart() const { return chart_.get(); }

  // The overlap stretch the keys reached, or -1 (none yet, or the chart was redrawn since).
  int focusedOverlap() const { return focusedOverlap_; }
  const std::vector<OverlapStretch>& overlaps() const { return overlaps_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The place of the focus, which a scroll area brings into sight when Tab reaches the chart: the
  // reached overlap, else the chart's beginning with what stands left of and above it.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  // Reaches overlap stretch index: marks it, scrolls it into sight and describes it.
  void focusOverlap(int index);
  // The accessible description: the reached stretch's hint, or how many stretches there are.
  void describe();
  // The reached stretch's hint as a tooltip beside it.
  void showFocusedHint();
  // Where the reached stretch is marked: its columns over the rows that meet there.
  QRect focusedRect() const;
  // What the focus frame covers: the reached overlap's mark, else the chart's four edges.
  QRegion focusFrameRegion() const;
  // The chart in the pixels of a device of the scale: the chart itself at 1/1, else its copy made
  // for that scale (kept until a redraw or another scale).
  const TimelineChart& chartAt(PixelScale scale);

  std::unique_ptr<TimelineChart> chart_;
  std::unique_ptr<TimelineChart> deviceChart_;
  std::vector<OverlapStretch> overlaps_;
  int focusedOverlap_ = -1;
  QImage buffer_;  // reused from paint to paint
};

}  // namespace tarvel::autoquery::chart
