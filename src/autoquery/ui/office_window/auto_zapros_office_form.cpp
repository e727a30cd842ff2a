#include "autoquery/ui/office_window/auto_zapros_office_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
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
#include "autoquery/ui/office_window/legend_switch_storage.h"
#include "autoquery/ui/office_window/office_window_layout.h"
#include "autoquery/ui/office_window/office_window_texts.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/station_frame/azs_frame.h"
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
  setWindowTitle(platform::toUnicode(office_window_text::kOfficeFormCaption));
  platform::applyFormFont(this);
  createComponents();
  nameForListeners();
  frameColumn_ = std::make_unique<StationFrameColumn>(*ScrollBox1, AutoAZS_, ImageList1,
                                                      frameWidth_, columnShift());
  connect(frameColumn_.get(), &StationFrameColumn::FrameClicked, this,
          &TAutoZaprosOfficeForm::FrameClicked);
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
          platform::guardedHandler([this] { frameColumn_->showInSight(); }));
  // Every way of closing (the buttons, the close box, Esc) ends in finished().
  connect(this, &QDialog::finished, this,
          platform::guardedHandler([this](int result) { FormClose(result); }));
  TimerSend->start();
}

// The frames go with the window; none of them looks at the registry, which may be gone already.
TAutoZaprosOfficeForm::~TAutoZaprosOfficeForm() = default;

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
      reportToHost(office_window_text::kStationsBeyondTheBound + std::to_string(kMaxItemCount) +
                   office_window_text::kStationsLeftOut + std::to_string(leftOut));
    }
    if (stations.failure) std::rethrow_exception(stations.failure);
  } catch (const std::exception& error) {
    reportToHost(office_window_text::kStationListError + std::string(error.what()));
  }
  // Whatever the lining up did before a failure stays done, and the frames show it.
  RefreshFrames();
  CheckBox1Click();
  Redraw();
  setReading(false);
  // Given back only now: Qt gives no focus to a widget that takes no input.
  frameColumn_->focusFirstAtTheTop();
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
        reportToHost(office_window_text::kClosingError + std::string(error.what()));
      }
    });
  });
  // Frames are made again, for what is in sight, when the window is next shown.
  frameColumn_->freeAll();
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
  lbProgn->setText(QString::number(tbProgn->value()) +
                   platform::toUnicode(office_window_text::kDaysSuffix));
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
    reportToHost(office_window_text::kDrawingError + std::string(error.what()));
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
  frameColumn_->refresh();
  fitScrollContents();
}

bool TAutoZaprosOfficeForm::focusNextPrevChild(bool next) {
  // Qt's focus chain holds no frame (they take the focus by click only); Tab moves into, through
  // and out of the column of frames there. Qt's way serves every other step.
  bool moved = false;
  platform::guarded([this, next, &moved] {
    // The chart stands between the last frame and the widgets below the scroll box.
    moved = frameColumn_->tabStep(next, Image1->isVisibleTo(this) ? Image1 : nullptr);
  });
  return moved || QDialog::focusNextPrevChild(next);
}

}  // namespace tarvel::autoquery
