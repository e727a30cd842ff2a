#include "autoquery/ui/auto_zapros_office_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/core/office_station_list.h"
#include "autoquery/database/office_database_error.h"
#include "autoquery/database/office_database_name.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/ui/auto_item_sett_form.h"
#include "autoquery/ui/autoquery_ui_texts.h"
#include "autoquery/ui/azs_frame.h"
#include "autoquery/ui/database_wait.h"
#include "autoquery/ui/legend_switch_storage.h"
#include "autoquery/ui/office_window_layout.h"
#include "autoquery/ui/office_window_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/settings_file.h"

namespace tarvel::autoquery {
namespace {

using namespace office_window_layout;

constexpr QSize kClientSize(763, 366);

}  // namespace

TAutoZaprosOfficeForm::TAutoZaprosOfficeForm()
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setObjectName("TAutoZaprosOfficeForm");
  setWindowTitle(platform::toUnicode(text::kOfficeFormCaption));
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

TAutoZaprosOfficeForm::~TAutoZaprosOfficeForm() {
  for (TAZSFrame* frame : scrollContents()->findChildren<TAZSFrame*>()) {
    frame->hide();
    frame->setParent(nullptr);
  }
}

QWidget* TAutoZaprosOfficeForm::scrollContents() const { return ScrollBox1->widget(); }

void TAutoZaprosOfficeForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored by the window system is not shown anew.
  if (!event->spontaneous()) platform::guarded([this] { FormShow(); });
}

void TAutoZaprosOfficeForm::reportToHost(const std::string& text) {
  if (host_ != nullptr) host_->ReportMessage(MessageKind::ErrorOrWarning, text);
}

namespace {

// Keeps the scroll box's contents hidden while the frames are placed, named and shown: Qt
// checks every visible sibling whenever a visible frame moves or changes, which with thousands
// of stations would make the placing quadratic.
class ContentsHiddenWhileBusy {
 public:
  explicit ContentsHiddenWhileBusy(QWidget* contents) : contents_(contents) { contents_->hide(); }
  ~ContentsHiddenWhileBusy() { contents_->show(); }
  ContentsHiddenWhileBusy(const ContentsHiddenWhileBusy&) = delete;
  ContentsHiddenWhileBusy& operator=(const ContentsHiddenWhileBusy&) = delete;

 private:
  QWidget* contents_;
};

}  // namespace

std::optional<StationNames> TAutoZaprosOfficeForm::readStationNames() {
  const std::string databaseName =
      officeDatabaseName(hostDatabaseText(host_->Command(HostCommand::DatabaseConnection, 0)));
  DatabaseWait wait;
  std::future<StationNames> answer = IBDatabase1.readStationNames(databaseName, wait.waker());
  openingWait_ = &wait;
  const DatabaseWait::Outcome outcome = wait.wait(
      [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
      kOpeningBound);
  openingWait_ = nullptr;
  switch (outcome) {
    case DatabaseWait::Outcome::Answered:
      return answer.get();
    case DatabaseWait::Outcome::Cancelled:
      return std::nullopt;
    case DatabaseWait::Outcome::TimedOut:
      break;
  }
  // The answer may still come; it is thrown away with the thread that waits for it.
  IBDatabase1.abandon();
  throw OfficeDatabaseError(std::string(text::kDatabaseDidNotAnswer) +
                            std::to_string(kOpeningBound.count()) + text::kSeconds);
}

void TAutoZaprosOfficeForm::refreshFrames() {
  tAutoAZS& registry = **AutoAZS_;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    TAzsItem& item = registry.Items(position);
    item.RefreshFrame();
    if (item.Frame) {
      item.Frame->setVisible(true);
      item.Frame->setAZSIndex(position);
    }
  }
}

void TAutoZaprosOfficeForm::FormShow() {
  try {
    if (host_ == nullptr || AutoAZS_ == nullptr || *AutoAZS_ == nullptr) {
      throw std::logic_error("office window without host or registry");
    }
    // The window stands with the registry as it is while the database is read.
    const std::optional<StationNames> stations = readStationNames();
    if (!stations) return;  // closed meanwhile
    int32_t leftOut = 0;
    {
      const ContentsHiddenWhileBusy busy(scrollContents());
      leftOut = synchroniseWithOfficeDatabase(**AutoAZS_, stations->AZSNAMEs,
                                              stations->failure == nullptr);
      refreshFrames();
    }
    if (leftOut > 0) {
      reportToHost(text::kStationsBeyondTheBound + std::to_string(kMaxItemCount) +
                   text::kStationsLeftOut + std::to_string(leftOut));
    }
    if (stations->failure) std::rethrow_exception(stations->failure);
  } catch (const std::exception& error) {
    reportToHost(text::kStationListError + std::string(error.what()));
  }
  fitScrollContents();
  CheckBox1Click();
  Redraw();
}

void TAutoZaprosOfficeForm::FormClose(int result) {
  // A window closed while its opening still waits for the database drops that answer.
  if (openingWait_ != nullptr) openingWait_->cancel();
  // The database is closed whatever happens, or given up after its bound; an error of closing
  // it is raised only after the registry has been put right, so a lost connection cannot keep
  // dropped changes polling.
  std::exception_ptr closingError;
  {
    DatabaseWait wait;
    std::future<void> closed = IBDatabase1.close(wait.waker());
    const auto outcome = wait.wait(
        [&] { return closed.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        kClosingBound);
    if (outcome == DatabaseWait::Outcome::Answered) {
      try {
        closed.get();
      } catch (...) {
        closingError = std::current_exception();
      }
    } else {
      IBDatabase1.abandon();
    }
  }
  if (result != QDialog::Accepted && AutoAZS_ != nullptr) {
    const ContentsHiddenWhileBusy busy(scrollContents());
    AutoAZS_->reset();
    *AutoAZS_ = std::make_unique<tAutoAZS>(viewFactory());
    (*AutoAZS_)->LoadFromIni(settings::SettingsFilePath());
    fitScrollContents();
  }
  if (closingError) std::rethrow_exception(closingError);
}

void TAutoZaprosOfficeForm::BitBtn1Click() {
  if (AutoAZS_ != nullptr && *AutoAZS_ != nullptr) {
    (*AutoAZS_)->SaveToIni(settings::SettingsFilePath());
  }
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
    if (AutoAZS_ != nullptr && *AutoAZS_ != nullptr) {
      const tAutoAZS& registry = **AutoAZS_;
      items.reserve(static_cast<size_t>(registry.Count()));
      for (int32_t position = 0; position < registry.Count(); ++position) {
        items.push_back(&registry.Items(position));
      }
    }
    Image1->redraw(items, tbMash->value(), tbProgn->value() + 1);
    fitScrollContents();
  } catch (const std::exception& error) {
    reportToHost(text::kDrawingError + std::string(error.what()));
  }
}

void TAutoZaprosOfficeForm::FrameClick(int32_t azsIndex) {
  if (AutoAZS_ == nullptr || *AutoAZS_ == nullptr) return;
  TAutoItemSettForm editor(**AutoAZS_);
  editor.AZSIndex = azsIndex;
  if (platform::operatorDialogs().runModal(editor) == QDialog::Accepted) Redraw();
}

void TAutoZaprosOfficeForm::TimerSendTimer() {
  platform::guarded([this] {
    if (tickAction_) tickAction_();
  });
}

tAutoAZS::ViewFactory TAutoZaprosOfficeForm::viewFactory() {
  return [this]() -> std::unique_ptr<ItemView> {
    // Items are only ever appended, so the new item's position is the number of frames alive.
    auto frame = std::make_unique<TAZSFrame>(ImageList1, frameBand(liveFrames_));
    ++liveFrames_;
    connect(frame.get(), &QObject::destroyed, this, [this] { --liveFrames_; });
    frame->hide();
    connect(frame.get(), &TAZSFrame::FrameClick, this, &TAutoZaprosOfficeForm::FrameClicked);
    return frame;
  };
}

QWidget* TAutoZaprosOfficeForm::frameBand(int position) {
  // Qt weighs every repainted widget against all its later siblings, so thousands of frames
  // side by side in one parent make showing the window quadratic; in bands of a hundred, a
  // frame has at most a hundred siblings. Each band covers the contents from the top, so the
  // frames keep their places, and shows (and takes clicks in) only its own strip.
  const auto band = static_cast<size_t>(position / kFramesPerBand);
  while (frameBands_.size() <= band) {
    auto* strip = new QWidget(scrollContents());
    strip->setObjectName(QString("FrameBand%1").arg(frameBands_.size()));
    const int top =
        kFirstFrameTop + static_cast<int>(frameBands_.size()) * kFramesPerBand * kFrameStep;
    strip->setMask(QRegion(0, top, kFrameWidth, kFramesPerBand * kFrameStep));
    strip->setGeometry(0, 0, kFrameWidth, top + kFramesPerBand * kFrameStep);
    frameBands_.push_back(strip);
    showBandsInSight();
  }
  return frameBands_[band];
}

bool TAutoZaprosOfficeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize) {
    platform::guarded([this] { showBandsInSight(); });
  }
  return QDialog::eventFilter(watched, event);
}

void TAutoZaprosOfficeForm::showBandsInSight() {
  const int sightTop = ScrollBox1->verticalScrollBar()->value();
  const int sightBottom = sightTop + ScrollBox1->viewport()->height();
  const int bandHeight = kFramesPerBand * kFrameStep;
  for (size_t band = 0; band < frameBands_.size(); ++band) {
    const int top = kFirstFrameTop + static_cast<int>(band) * bandHeight;
    frameBands_[band]->setVisible(top < sightBottom && top + bandHeight > sightTop);
  }
}

void TAutoZaprosOfficeForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The two buttons keep their distance from the right edge.
  const int cancelLeft = width() - kRightMargin - kButtonWidth;
  BitBtn2->move(cancelLeft, kButtonTop);
  BitBtn1->move(cancelLeft - kButtonGap - kButtonWidth, kButtonTop);
  fitScrollContents();
}

void TAutoZaprosOfficeForm::fitScrollContents() {
  QWidget* contents = scrollContents();
  int bottom = kChartPlace.y() + Image1->height();
  if (AutoAZS_ != nullptr && *AutoAZS_ != nullptr) {
    const int32_t count = (*AutoAZS_)->Count();
    if (count > 0) {
      // The last item's frame stands lowest.
      const TAzsItem& last = (*AutoAZS_)->Items(count - 1);
      bottom = std::max(bottom, last.Index * kFrameStep + kFirstFrameTop + kFrameHeight);
    }
  }
  const QSize viewport = ScrollBox1->viewport()->size();
  const int width = std::max(kChartPlace.x() + Image1->width(), viewport.width());
  contents->resize(width, std::max(bottom, viewport.height()));
  Label13->setGeometry(0, 0, width, kHeaderHeight);
  showBandsInSight();
}

}  // namespace tarvel::autoquery
