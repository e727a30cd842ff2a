// How the office window lays itself out: the scroll contents around the frames and the chart, the
// buttons at the right edge, the legend's pictures on the current background.
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <algorithm>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/office_window/office_window_layout.h"
#include "autoquery/ui/station_frame/azs_frame.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {

using namespace office_window_layout;

QWidget* TAutoZaprosOfficeForm::scrollContents() const { return ScrollBox1->widget(); }

QPoint TAutoZaprosOfficeForm::chartPlace() const {
  return {frameWidth_ + kChartPlace.x() - kFrameWidth, kChartPlace.y() + columnShift()};
}

bool TAutoZaprosOfficeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize) {
    platform::guarded([this] { frameColumn_->showInSight(); });
  }
  return QDialog::eventFilter(watched, event);
}

void TAutoZaprosOfficeForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The two buttons keep their distance from the right edge.
  using platform::scaled;
  const int cancelLeft = width() - scaled(kRightMargin) - BitBtn2->width();
  BitBtn2->move(cancelLeft, scaled(kButtonTop));
  BitBtn1->move(cancelLeft - scaled(kButtonGap) - BitBtn1->width(), scaled(kButtonTop));
  fitScrollContents();
}

void TAutoZaprosOfficeForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && p != nullptr) {
    platform::guarded([this] { paintLegendPictures(); });
  }
}

void TAutoZaprosOfficeForm::fitScrollContents() {
  QWidget* contents = scrollContents();
  const QPoint chart = chartPlace();
  int bottom = chart.y() + Image1->height();
  if (const int32_t count = AutoAZS_.Count(); count > 0) {
    // The last item's frame stands lowest.
    const TAzsItem& last = AutoAZS_.Items(count - 1);
    bottom =
        std::max(bottom, columnShift() + last.Index * kFrameStep + kFirstFrameTop + kFrameHeight);
  }
  const QSize viewport = ScrollBox1->viewport()->size();
  const int width = std::max(chart.x() + Image1->width(), viewport.width());
  contents->resize(width, std::max(bottom, viewport.height()));
  Label13->setGeometry(0, 0, width, headerHeight_);
  frameColumn_->showInSight();
}

}  // namespace tarvel::autoquery
