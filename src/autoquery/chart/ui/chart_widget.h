// Image1 of the office window: the schedule time-line chart at the full size of its picture,
// which never exists as a whole. Each redraw takes "now" once and prepares the chart; each paint
// event asks it for the exposed rectangles only, so a chain of any size scrolls at the cost of
// one screen. Hovering a session box or an overlap shows what lies there.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <span>

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::unique_ptr<TimelineChart> chart_;
  QImage buffer_;  // reused from paint to paint
};

}  // namespace tarvel::autoquery::chart
