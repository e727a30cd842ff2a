#include "autoquery/ui/auto_zapros_office_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <vector>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/database/office_database_name.h"
#include "autoquery/ui/auto_item_sett_form.h"
#include "autoquery/ui/autoquery_ui_texts.h"
#include "autoquery/ui/azs_frame.h"
#include "autoquery/ui/legend_switch_storage.h"
#include "autoquery/ui/office_station_list.h"
#include "autoquery/ui/office_window_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/settings_file.h"

namespace tarvel::autoquery {
namespace {

constexpr QSize kClientSize(763, 366);
constexpr int32_t kDatabaseConnectionCommand = 69;
constexpr int32_t kErrorMessage = 2;

}  // namespace

TAutoZaprosOfficeForm::TAutoZaprosOfficeForm(tAutoAZS& AutoAZS, HostCallback* host)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      AutoAZS_(AutoAZS),
      host_(host) {
  setObjectName("TAutoZaprosOfficeForm");
  setWindowTitle(platform::toUnicode(texts::kOfficeFormCaption));
  platform::applyFormFont(this);
  createComponents();
  resize(kClientSize);
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

void TAutoZaprosOfficeForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is not shown anew.
  if (!event->spontaneous()) platform::guarded([this] { FormShow(); });
}

void TAutoZaprosOfficeForm::reportToHost(const std::string& text) {
  if (host_ != nullptr) host_->ReportMessage(kErrorMessage, text);
}

void TAutoZaprosOfficeForm::FormShow() {
  try {
    if (host_ == nullptr) throw std::logic_error("office window without a host");
    const std::string hostDatabase =
        hostDatabaseText(host_->Command(kDatabaseConnectionCommand, 0));
    synchroniseWithOfficeDatabase(AutoAZS_, IBDatabase1, officeDatabaseName(hostDatabase));
  } catch (const std::exception& error) {
    reportToHost(texts::kStationListError + std::string(error.what()));
  }
  // Whatever the lining up did before a failure stays done, and the frames show it.
  RefreshFrames();
  CheckBox1Click();
  Redraw();
}

void TAutoZaprosOfficeForm::FormClose(int result) {
  // The database is closed whatever happens; an error of closing it is raised only after the
  // registry has been put right, so a lost connection cannot keep dropped changes polling.
  std::exception_ptr closingError;
  try {
    IBDatabase1.disconnect();
  } catch (...) {
    closingError = std::current_exception();
  }
  // Frames are made again, for what is in sight, when the window is next shown.
  freeFrames();
  if (result != QDialog::Accepted) AutoAZS_.ReloadFromIni(settings::SettingsFilePath());
  fitScrollContents();
  if (closingError) std::rethrow_exception(closingError);
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
  lbProgn->setText(QString::number(tbProgn->value()) + platform::toUnicode(texts::kDaysSuffix));
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
    reportToHost(texts::kDrawingError + std::string(error.what()));
  }
}

void TAutoZaprosOfficeForm::FrameClick(int32_t azsIndex) {
  TAutoItemSettForm editor(AutoAZS_);
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
  // side by side in one parent would make painting slow; in bands of a hundred, a frame has at
  // most a hundred siblings. Each band covers the contents from the top, so the frames keep
  // their places, and shows (and takes clicks in) only its own strip.
  const auto band = static_cast<size_t>(position / kFramesPerBand);
  while (frameBands_.size() <= band) {
    auto* strip = new QWidget(scrollContents());
    strip->setObjectName(QString("FrameBand%1").arg(frameBands_.size()));
    const int top =
        kFirstFrameTop + static_cast<int>(frameBands_.size()) * kFramesPerBand * kFrameStep;
    strip->setMask(QRegion(0, top, kFrameWidth, kFramesPerBand * kFrameStep));
    strip->setGeometry(0, 0, kFrameWidth, top + kFramesPerBand * kFrameStep);
    strip->hide();
    frameBands_.push_back(strip);
  }
  return frameBands_[band];
}

void TAutoZaprosOfficeForm::makeFramesOfBand(int band) {
  const int first = band * kFramesPerBand;
  const int end = std::min(first + kFramesPerBand, static_cast<int>(AutoAZS_.Count()));
  if (first >= end) return;
  if (frames_.size() < static_cast<size_t>(end)) frames_.resize(static_cast<size_t>(end), nullptr);
  QWidget* strip = frameBand(first);
  // A frame above, in the Tab order before the first new one: the nearest made frame, or the
  // scroll box itself.
  QWidget* previous = ScrollBox1;
  for (int position = first - 1; position >= 0; --position) {
    if (frames_[static_cast<size_t>(position)] != nullptr) {
      previous = frames_[static_cast<size_t>(position)];
      break;
    }
  }
  for (int position = first; position < end; ++position) {
    TAZSFrame*& frame = frames_[static_cast<size_t>(position)];
    if (frame == nullptr) {
      frame = new TAZSFrame(ImageList1, strip);
      connect(frame, &TAZSFrame::FrameClick, this, &TAutoZaprosOfficeForm::FrameClicked);
      const TAzsItem& item = AutoAZS_.Items(position);
      frame->setAZSIndex(item.Index);
      frame->RefreshFrame(item);
      frame->show();
      setTabOrder(previous, frame);
    }
    previous = frame;
  }
}

void TAutoZaprosOfficeForm::makeFrameAt(int32_t position) {
  if (position < 0 || position >= AutoAZS_.Count() || frameAt(position) != nullptr) return;
  const int band = position / kFramesPerBand;
  makeFramesOfBand(band);
  frameBands_[static_cast<size_t>(band)]->show();
}

void TAutoZaprosOfficeForm::freeFrames() {
  for (QWidget* strip : frameBands_) delete strip;
  frameBands_.clear();
  frames_.clear();
}

bool TAutoZaprosOfficeForm::focusNextPrevChild(bool next) {
  platform::guarded([this, next] {
    // The station Tab moves to from where the focus stands, when that is a frame or the edge of
    // the frames' column.
    QWidget* focus = focusWidget();
    int32_t target = -1;
    if (focus == ScrollBox1 && next) target = 0;
    if (focus == tbMash && !next) target = AutoAZS_.Count() - 1;
    for (size_t position = 0; position < frames_.size(); ++position) {
      if (frames_[position] != nullptr && frames_[position] == focus) {
        target = static_cast<int32_t>(position) + (next ? 1 : -1);
      }
    }
    makeFrameAt(target);
  });
  return QDialog::focusNextPrevChild(next);
}

bool TAutoZaprosOfficeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize) {
    platform::guarded([this] { showBandsInSight(); });
  }
  return QDialog::eventFilter(watched, event);
}

void TAutoZaprosOfficeForm::showBandsInSight() {
  if (!isVisible()) return;
  const int sightTop = ScrollBox1->verticalScrollBar()->value();
  const int sightBottom = sightTop + ScrollBox1->viewport()->height();
  const int bandHeight = kFramesPerBand * kFrameStep;
  const int bandCount = (AutoAZS_.Count() + kFramesPerBand - 1) / kFramesPerBand;
  for (int band = 0; band < bandCount; ++band) {
    const int top = kFirstFrameTop + band * bandHeight;
    if (top < sightBottom && top + bandHeight > sightTop) {
      makeFramesOfBand(band);
      frameBands_[static_cast<size_t>(band)]->show();
    } else if (static_cast<size_t>(band) < frameBands_.size()) {
      QWidget* strip = frameBands_[static_cast<size_t>(band)];
      // Hiding the band that holds the focus would throw the focus elsewhere.
      if (!strip->isAncestorOf(focusWidget())) strip->hide();
    }
  }
}

}  // namespace tarvel::autoquery
