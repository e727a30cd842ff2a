#include "autoquery/ui/office_window/auto_zapros_office_form.h"

#include <QCheckBox>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/core/office_station_list.h"
#include "autoquery/database/office_database_error.h"
#include "autoquery/database/office_database_name.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/ui/common/accessible_names.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/station_frame/azs_frame.h"
#include "autoquery/ui/office_window/legend_switch_storage.h"
#include "autoquery/ui/office_window/office_window_focus.h"
#include "autoquery/ui/office_window/office_window_layout.h"
#include "autoquery/ui/office_window/office_window_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/fixed_colours.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "platform/ui/window_showing.h"
#include "settings/settings_file.h"

namespace tarvel::autoquery {
namespace {

using namespace office_window_layout;

constexpr QSize kClientSize(763, 366);

}  // namespace

TAutoZaprosOfficeForm::TAutoZaprosOfficeForm(tAutoAZS& AutoAZS, HostCallback* host)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      AutoAZS_(AutoAZS),
      host_(host),
      frameWidth_(TAZSFrame::scaledFrameWidth()),
      headerHeight_(platform::scaled(kHeaderHeight)) {
  setObjectName("TAutoZaprosOfficeForm");
  setWindowTitle(platform::toUnicode(text::kOfficeFormCaption));
  platform::applyFormFont(this);
  createComponents();
  nameOfficeWindowForListeners(*this);
  resize(platform::scaled(kClientSize));
  move(0, 0);

  // TimerSendTimer enters the error guard itself.
  connect(TimerSend, &QTimer::timeout, this, &TAutoZaprosOfficeForm::TimerSendTimer);
  connect(this, &TAutoZaprosOfficeForm::FrameClicked, this,
          platform::guardedHandler([this](int32_t azsIndex) { FrameClick(azsIndex); }));
  connect(tbMash, &QSlider::valueChanged, this,
          platform::guardedHandler([this] { tbMashChange(); }));
  connect(tbProgn, &QSlider::valueChanged, this,
          platform::guardedHandler([this] { tbPrognChange(); }));
  connect(CheckBox1, &QCheckBox::clicked, this,
          platform::guardedHandler([this] { CheckBox1Click(); }));
  connect(BitBtn1, &QPushButton::clicked, this,
          platform::guardedHandler([this] { BitBtn1Click(); }));
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  ScrollBox1->viewport()->installEventFilter(this);
  connect(ScrollBox1->verticalScrollBar(), &QScrollBar::valueChanged, this,
          platform::guardedHandler([this] { showBandsInSight(); }));
  // Every way of closing (the buttons, the close box, Esc) ends in finished().
  connect(this, &QDialog::finished, this,
          platform::guardedHandler([this](int result) { FormClose(result); }));
  TimerSend->start();
}

// The frames go with the window; none of them looks at the registry, which may be gone already.
TAutoZaprosOfficeForm::~TAutoZaprosOfficeForm() = default;

QWidget* TAutoZaprosOfficeForm::scrollContents() const { return ScrollBox1->widget(); }

QPoint TAutoZaprosOfficeForm::chartPlace() const {
  return {frameWidth_ + kChartPlace.x() - kFrameWidth, kChartPlace.y() + columnShift()};
}

void TAutoZaprosOfficeForm::showEvent(QShowEvent* event) {
  // A window restored by the window system is not shown anew.
  if (!event->spontaneous()) platform::guarded([this] { platform::prepareForShowing(*this); });
  QDialog::showEvent(event);
  if (!event->spontaneous()) platform::guarded([this] { FormShow(); });
}

void TAutoZaprosOfficeForm::reportToHost(const std::string& text) {
  if (host_ != nullptr) host_->ReportMessage(MessageKind::ErrorOrWarning, text);
}

void TAutoZaprosOfficeForm::FormShow() {
  // The registry as it is stands in the window until the database has answered: a click on a
  // station would open the editor of a place the lining up may give to another station, and
  // "Применить" would save schedules not yet lined up.
  setReading(true);
  delete reading_;
  reading_ = new QObject(this);
  // Shown from exec(), the window is mapped and made modal only after its show event: the
  // reading starts once the window stands, so that even an answer at once finds it there.
  QMetaObject::invokeMethod(
      this,
      [this, reading = QPointer<QObject>(reading_)] {
        if (!reading.isNull() && isVisible()) platform::guarded([this] { ReadStationList(); });
      },
      Qt::QueuedConnection);
}

void TAutoZaprosOfficeForm::ReadStationList() {
  try {
    if (host_ == nullptr) throw std::logic_error("office window without a host");
    const std::string databaseName =
        officeDatabaseName(hostDatabaseText(host_->Command(HostCommand::DatabaseConnection, 0)));
    IBDatabase1.readStationNames(databaseName, reading_, [this](const StationNames& stations) {
      platform::guarded([&] { StationListRead(stations); });
    });
  } catch (...) {
    StationListRead(StationNames{.AZSNAMEs = {}, .failure = std::current_exception()});
  }
}

void TAutoZaprosOfficeForm::StationListRead(const StationNames& stations) {
  if (reading_ != nullptr) reading_->deleteLater();
  reading_ = nullptr;
  try {
    const int32_t leftOut =
        synchroniseWithOfficeDatabase(AutoAZS_, stations.AZSNAMEs, stations.failure == nullptr);
    if (leftOut > 0) {
      reportToHost(text::kStationsBeyondTheBound + std::to_string(kMaxItemCount) +
                   text::kStationsLeftOut + std::to_string(leftOut));
    }
    if (stations.failure) std::rethrow_exception(stations.failure);
  } catch (const std::exception& error) {
    reportToHost(text::kStationListError + std::string(error.what()));
  }
  // Whatever the lining up did before a failure stays done, and the frames show it.
  RefreshFrames();
  CheckBox1Click();
  Redraw();
  setReading(false);
  // Given back only now: Qt gives no focus to a widget that takes no input.
  focusFirstStationAtTheTop(*this);
}

void TAutoZaprosOfficeForm::setReading(bool reading) {
  ScrollBox1->setEnabled(!reading);
  BitBtn1->setEnabled(!reading);
  Label14->setVisible(!reading);
  lbReading->setVisible(reading);
  if (reading) {
    setCursor(Qt::WaitCursor);
    // Esc and Enter reach the window's cancel button while the stations take no keys.
    BitBtn2->setFocus(Qt::OtherFocusReason);
  } else {
    unsetCursor();
  }
}

void TAutoZaprosOfficeForm::FormClose(int result) {
  // A window closed while its opening still reads drops that answer.
  delete reading_;
  reading_ = nullptr;
  setReading(false);
  // The database is closed after whatever it still does, or given up after its bound. A failure
  // is reported when it comes: after the registry has been put right below, so a lost
  // connection cannot keep dropped changes polling.
  IBDatabase1.close(this, [this](const std::exception_ptr& failure) {
    platform::guarded([&] {
      try {
        if (failure) std::rethrow_exception(failure);
      } catch (const std::exception& error) {
        reportToHost(text::kClosingError + std::string(error.what()));
      }
    });
  });
  // Frames are made again, for what is in sight, when the window is next shown.
  freeFrames();
  if (result != QDialog::Accepted) AutoAZS_.ReloadFromIni(settings::SettingsFilePath());
  fitScrollContents();
}

void TAutoZaprosOfficeForm::BitBtn1Click() {
  AutoAZS_.SaveToIni(settings::SettingsFilePath());
  accept();
}

void TAutoZaprosOfficeForm::tbMashChange() {
  lbMash->setText(QString("X%1").arg(tbMash->value()));
  Redraw();
}

void TAutoZaprosOfficeForm::tbPrognChange() {
  lbProgn->setText(QString::number(tbProgn->value()) + platform::toUnicode(text::kDaysSuffix));
  Redraw();
}

void TAutoZaprosOfficeForm::CheckBox1Click() {
  p->setVisible(CheckBox1->isChecked());
  rememberLegendSwitch(CheckBox1->isChecked());
}

void TAutoZaprosOfficeForm::Redraw() {
  try {
    std::vector<const TAzsItem*> items;
    items.reserve(static_cast<size_t>(AutoAZS_.Count()));
    for (int32_t position = 0; position < AutoAZS_.Count(); ++position) {
      items.push_back(&AutoAZS_.Items(position));
    }
    Image1->redraw(items, tbMash->value(), tbProgn->value() + 1);
    fitScrollContents();
  } catch (const std::exception& error) {
    reportToHost(text::kDrawingError + std::string(error.what()));
  }
}

void TAutoZaprosOfficeForm::FrameClick(int32_t azsIndex) {
  TAutoItemSettForm editor(AutoAZS_, this);
  editor.AZSIndex = azsIndex;
  if (platform::operatorDialogs().runModal(editor) != QDialog::Accepted) return;
  // The editor changed the item at azsIndex.
  if (TAZSFrame* frame = frameAt(azsIndex)) frame->RefreshFrame(AutoAZS_.Items(azsIndex));
  Redraw();
}

void TAutoZaprosOfficeForm::TimerSendTimer() {
  platform::guarded([this] {
    if (tickAction_) tickAction_();
  });
}

void TAutoZaprosOfficeForm::RefreshFrames() {
  const auto count = static_cast<size_t>(AutoAZS_.Count());
  // Frames of items that are gone go with them.
  for (size_t position = count; position < frames_.size(); ++position) delete frames_[position];
  if (frames_.size() > count) frames_.resize(count);
  for (size_t band = (count + kFramesPerBand - 1) / kFramesPerBand; band < bandHasFrames_.size();
       ++band) {
    bandHasFrames_[band] = false;
  }
  for (size_t position = 0; position < frames_.size(); ++position) {
    if (TAZSFrame* frame = frames_[position]) {
      const TAzsItem& item = AutoAZS_.Items(static_cast<int32_t>(position));
      frame->setAZSIndex(item.Index);
      frame->RefreshFrame(item);
    }
  }
  fitScrollContents();
}

TAZSFrame* TAutoZaprosOfficeForm::frameAt(int32_t position) const {
  if (position < 0 || static_cast<size_t>(position) >= frames_.size()) return nullptr;
  return frames_[static_cast<size_t>(position)];
}

QWidget* TAutoZaprosOfficeForm::frameBand(int position) {
  // Qt weighs every repainted widget against all its later siblings, so thousands of frames
  // side by side in one parent would make painting slow; in bands, a frame has at most
  // kFramesPerBand siblings. Each band covers the contents from the top, so the frames keep
  // their places, and shows (and takes clicks in) only its own strip.
  const auto band = static_cast<size_t>(position / kFramesPerBand);
  while (frameBands_.size() <= band) {
    auto* strip = new QWidget(scrollContents());
    strip->setObjectName(QString("FrameBand%1").arg(frameBands_.size()));
    const int top =
        kFirstFrameTop + static_cast<int>(frameBands_.size()) * kFramesPerBand * kFrameStep;
    strip->setMask(QRegion(0, top, frameWidth_, kFramesPerBand * kFrameStep));
    strip->setGeometry(0, columnShift(), frameWidth_, top + kFramesPerBand * kFrameStep);
    strip->hide();
    frameBands_.push_back(strip);
    bandHasFrames_.push_back(false);
  }
  return frameBands_[band];
}

void TAutoZaprosOfficeForm::makeFrames(int32_t first, int32_t end) {
  first = std::max(first, int32_t{0});
  end = std::min(end, AutoAZS_.Count());
  if (first >= end) return;
  if (frames_.size() < static_cast<size_t>(end)) frames_.resize(static_cast<size_t>(end), nullptr);
  bool madeAny = false;
  for (int32_t position = first; position < end; ++position) {
    TAZSFrame*& frame = frames_[static_cast<size_t>(position)];
    if (frame != nullptr) continue;
    madeAny = true;
    QWidget* strip = frameBand(position);
    bandHasFrames_[static_cast<size_t>(position / kFramesPerBand)] = true;
    frame = new TAZSFrame(ImageList1, strip, frameWidth_);
    // Tab reaches the frames through focusNextPrevChild, in the stations' order; Qt's own
    // focus chain, which would put them in the order they were made, leaves them out.
    frame->setFocusPolicy(Qt::ClickFocus);
    connect(frame, &TAZSFrame::FrameClick, this, &TAutoZaprosOfficeForm::FrameClicked);
    const TAzsItem& item = AutoAZS_.Items(position);
    frame->setAZSIndex(item.Index);
    frame->RefreshFrame(item);
    frame->show();
    strip->show();
  }
  // Assistive technology lists a band's frames in the order they stand among its children:
  // frames made later (scrolled up to, or made again) go back to their stations' places.
  if (!madeAny) return;
  const auto bandsEnd = std::min(
      frames_.size(), static_cast<size_t>((end - 1) / kFramesPerBand + 1) * kFramesPerBand);
  for (auto position = static_cast<size_t>(first / kFramesPerBand * kFramesPerBand);
       position < bandsEnd; ++position) {
    if (TAZSFrame* frame = frames_[position]) frame->raise();
  }
}

void TAutoZaprosOfficeForm::freeFrames() {
  for (QWidget* strip : frameBands_) delete strip;
  frameBands_.clear();
  bandHasFrames_.clear();
  frames_.clear();
}

void TAutoZaprosOfficeForm::freeFramesOfBand(int band) {
  const auto first = static_cast<size_t>(band) * kFramesPerBand;
  const size_t end = std::min(first + kFramesPerBand, frames_.size());
  for (size_t position = first; position < end; ++position) {
    delete frames_[position];
    frames_[position] = nullptr;
  }
  bandHasFrames_[static_cast<size_t>(band)] = false;
}

void TAutoZaprosOfficeForm::freeBandsFarFromSight(int sightFirstBand, int sightLastBand) {
  std::vector<std::pair<int, int>> freeable;  // distance from sight, band
  for (size_t band = 0; band < bandHasFrames_.size(); ++band) {
    if (!bandHasFrames_[band] || frameBands_[band]->isAncestorOf(focusWidget())) continue;
    const int index = static_cast<int>(band);
    if (index >= sightFirstBand && index <= sightLastBand) continue;
    freeable.emplace_back(std::max(sightFirstBand - index, index - sightLastBand), index);
  }
  const auto made =
      static_cast<int>(std::count(bandHasFrames_.begin(), bandHasFrames_.end(), true));
  const int surplus = made - kMadeBandLimit;
  if (surplus <= 0) return;
  std::sort(freeable.begin(), freeable.end(), std::greater<>());
  for (int n = 0; n < surplus && n < static_cast<int>(freeable.size()); ++n) {
    freeFramesOfBand(freeable[static_cast<size_t>(n)].second);
  }
}

QWidget* TAutoZaprosOfficeForm::tabStopAfterFrames() const {
  for (QWidget* widget = ScrollBox1->nextInFocusChain(); widget != ScrollBox1;
       widget = widget->nextInFocusChain()) {
    if (widget == this) break;
    if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(this) ||
        !widget->isEnabled() || ScrollBox1->isAncestorOf(widget)) {
      continue;
    }
    return widget;
  }
  return nullptr;
}

bool TAutoZaprosOfficeForm::focusNextPrevChild(bool next) {
  // Qt's focus chain holds no frame (they take the focus by click only); Tab moves into, through
  // and out of the column of frames here. Qt's way serves every other step.
  bool moved = false;
  platform::guarded([this, next, &moved] {
    QWidget* focus = focusWidget();
    const int32_t count = AutoAZS_.Count();
    int32_t target = -1;
    QWidget* outside = nullptr;
    // The chart stands between the last frame and the widgets below the scroll box.
    QWidget* chart = Image1->isVisibleTo(this) ? static_cast<QWidget*>(Image1) : nullptr;
    if (focus == ScrollBox1 && next) target = 0;
    if (focus != nullptr && focus == tabStopAfterFrames() && !next) {
      if (chart != nullptr) {
        outside = chart;
      } else {
        target = count - 1;
      }
    }
    if (focus != nullptr && focus == chart) {
      if (next) outside = tabStopAfterFrames();
      if (!next) target = count - 1;
      if (!next && count == 0) outside = ScrollBox1;
    }
    if (const auto* frame = qobject_cast<const TAZSFrame*>(focus)) {
      const auto place = std::find(frames_.begin(), frames_.end(), frame);
      if (place != frames_.end()) {
        target = static_cast<int32_t>(place - frames_.begin()) + (next ? 1 : -1);
        if (target >= count) outside = chart != nullptr ? chart : tabStopAfterFrames();
        if (target < 0) outside = ScrollBox1;
      }
    }
    if (outside != nullptr) {
      outside->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      moved = true;
    } else if (target >= 0 && target < count) {
      makeFrames(target, target + 1);
      frames_[static_cast<size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                          : Qt::BacktabFocusReason);
      ScrollBox1->ensureWidgetVisible(frames_[static_cast<size_t>(target)]);
      moved = true;
    }
  });
  return moved || QDialog::focusNextPrevChild(next);
}

bool TAutoZaprosOfficeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize) {
    platform::guarded([this] { showBandsInSight(); });
  }
  return QDialog::eventFilter(watched, event);
}

void TAutoZaprosOfficeForm::showBandsInSight() {
  if (!isVisible()) return;
  // In the bands' coordinates.
  const int sightTop = ScrollBox1->verticalScrollBar()->value() - columnShift();
  const int sightBottom = sightTop + ScrollBox1->viewport()->height();
  const int bandHeight = kFramesPerBand * kFrameStep;
  // The stations in sight, and a few on either side so that small steps find their frames made.
  constexpr int kMargin = 4;
  makeFrames((sightTop - kFirstFrameTop) / kFrameStep - kMargin,
             (sightBottom - kFirstFrameTop) / kFrameStep + 1 + kMargin);
  const int bandCount = static_cast<int>(frameBands_.size());
  int sightFirstBand = bandCount;
  int sightLastBand = -1;
  for (int band = 0; band < bandCount; ++band) {
    const int top = kFirstFrameTop + band * bandHeight;
    if (top < sightBottom && top + bandHeight > sightTop) {
      frameBands_[static_cast<size_t>(band)]->show();
      sightFirstBand = std::min(sightFirstBand, band);
      sightLastBand = band;
    } else {
      QWidget* strip = frameBands_[static_cast<size_t>(band)];
      // Hiding the band that holds the focus would throw the focus elsewhere.
      if (!strip->isAncestorOf(focusWidget())) strip->hide();
    }
  }
  freeBandsFarFromSight(sightFirstBand, sightLastBand);
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
  showBandsInSight();
}

}  // namespace tarvel::autoquery
