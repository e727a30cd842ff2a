// TAutoZaprosOfficeForm: the office window "Автоматический запрос данных с АЗС". Every station
// of the office database stands in ScrollBox1 as its frame, with the time-line chart Image1
// beside the frames; a click on a frame (or Enter or Space on the focused frame) opens that
// station's schedule editor; "Применить" saves all schedules to cnf.INI and any other close
// reloads them from it. The window also holds the polling timer TimerSend, which ticks from the
// window's creation on, shown or not.
//
// The frames stand in the window's StationFrameColumn, which makes them only when they are needed;
// the window refreshes them from the registry after each change it makes there, and frees them all
// when it closes.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/ui/office_window/office_window_layout.h"
#include "autoquery/ui/office_window/station_frame_column.h"
#include "autoquery/ui/station_frame/image_list.h"
#include "tarvel/contract.h"

class QCheckBox;
class QFocusEvent;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QTimer;

namespace tarvel::autoquery {

namespace chart {
class ChartWidget;
}
class TAZSFrame;

// The interval of the polling timer.
inline constexpr int kSendIntervalMilliseconds = 30'000;

class TAutoZaprosOfficeForm : public QDialog {
  Q_OBJECT

 public:
  // Created hidden, at the top left corner, without a parent; it belongs to the window the
  // operator works in when it is shown (see window_owner.h). TimerSend starts here.
  // CheckBox1 takes its remembered state. AutoAZS: the one registry, which the window lines up
  // with the office database, shows, saves, and on a close without "Применить" reloads from
  // cnf.INI; it must outlive every use of the window but may be freed before the window is.
  // host: whose answer to HostCommand::DatabaseConnection names the database and who receives
  // the messages; not owned; without one, showing reports nothing and lists only what the
  // registry holds.
  explicit TAutoZaprosOfficeForm(tAutoAZS& AutoAZS, HostCallback* host = nullptr);
  ~TAutoZaprosOfficeForm() override;

  QFrame* Panel2 = nullptr;
  QLabel* Label14 = nullptr;
  // Stands in Label14's place while the station list is read.
  QLabel* lbReading = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  QLabel* Label13 = nullptr;
  chart::ChartWidget* Image1 = nullptr;
  // The legend.
  QFrame* p = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Shape3 = nullptr;
  QLabel* Shape1 = nullptr;
  QLabel* Shape2 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Image3 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label12 = nullptr;
  // Track bars and buttons.
  QFrame* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QSlider* tbMash = nullptr;
  QLabel* lbMash = nullptr;
  QLabel* Label2 = nullptr;
  QSlider* tbProgn = nullptr;
  QLabel* lbProgn = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  // The office database with its transaction and query (IBDatabase1, IBTransaction1,
  // IBDataSet1), on a thread of its own: the window asks it for the station list when shown and
  // for the closing when closed, and goes on; each answer comes through the event loop.
  OfficeDatabaseThread IBDatabase1;
  ImageList ImageList1;
  QTimer* TimerSend = nullptr;

  // What each tick of TimerSend does (the polling engine's tick); nothing while empty.
  void setTickAction(std::function<void()> action) { tickAction_ = std::move(action); }

  // From the showing until the station list has been read or given up (or the window closed).
  bool readingStationList() const { return reading_ != nullptr; }

  // Handlers. Each enters the error guard where Qt calls it.
  // Takes the stations and "Применить" out of the operator's reach (a wait cursor and a line
  // saying that the list is being read) and asks the office database for the station list once
  // the window stands on the screen; its answer comes to StationListRead.
  void FormShow();
  // Drops the answer of a reading still under way and asks the database to close (given up
  // after kClosingBound; a failure, when it comes, is reported to the host as "Ошибка закрытия
  // базы данных АЗС: "); frees the frames; without the OK result, drops the changes of this
  // visit by reloading the registry from cnf.INI. A showing meanwhile reads after the closing.
  void FormClose(int result);
  // Saves the registry to cnf.INI, then closes with OK. A failed save keeps the window open.
  void BitBtn1Click();
  void tbMashChange();
  void tbPrognChange();
  void CheckBox1Click();
  // Rebuilds the chart at tbMash's scale over tbProgn + 1 days; a failure is reported to the
  // host as "Ошибка отрисовки времени соединения: " and the previous chart stays.
  void Redraw();
  // Opens the schedule editor of the station at azsIndex; when it closes with OK, refreshes that
  // station's frame and redraws.
  void FrameClick(int32_t azsIndex);
  // One tick of TimerSend: the tick action, through the error guard.
  void TimerSendTimer();

  // RefreshFrame for every frame made so far, after the registry changed: frames of items that
  // are gone are freed, the others show their item again; the bands in sight get their frames.
  void RefreshFrames();

  // The frame of the item at a position, or nullptr when none was made (out of sight, or the
  // window not shown).
  TAZSFrame* frameAt(int32_t position) const { return frameColumn_->frameAt(position); }

  // The widget inside ScrollBox1 that Label13, the station frames and Image1 stand on. The
  // frames stand in bands of kFramesPerBand (see StationFrameColumn) that cover the contents from
  // the top, so a frame's geometry is its place in the contents; a header grown with a larger
  // desktop font moves the bands, and the chart with them, down by columnShift.
  QWidget* scrollContents() const;
  // How far a larger desktop font moves the column of frames and the chart down: the growth of
  // Label13's height; 0 at the default font.
  int columnShift() const { return headerHeight_ - office_window_layout::kHeaderHeight; }

 signals:
  // A station frame was clicked; azsIndex is the frame's AZSIndex.
  void FrameClicked(int32_t azsIndex);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // A change of the desktop's theme paints the legend's pictures on the new background.
  void changeEvent(QEvent* event) override;
  // Follows the size of ScrollBox1's viewport, which also changes when the legend comes or goes.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab go through the stations in screen order, between ScrollBox1 and the
  // widget after it: the frame they move to is made first when it was not yet.
  bool focusNextPrevChild(bool next) override;

 private:
  void createComponents();
  void createLegend();
  void createBottomPanel();
  // Names for assistive technology where a control's caption gives none a listener understands.
  void nameForListeners();
  // The legend's swatches and icon columns on the background the legend panel shows.
  void paintLegendPictures();
  // Where Image1 stands: right of the frames, its top at the first frame's band.
  QPoint chartPlace() const;
  void reportToHost(const std::string& text);
  // The part of FormShow that asks the database, once the window is on the screen.
  void ReadStationList();
  // The answer to ReadStationList: lines the registry up with the office database (reporting a
  // failure, or a database that did not answer within kOpeningBound, to the host as "Ошибка
  // получения списка АЗС: " and going on with the registry as it is), refreshes the frames,
  // applies the legend switch, redraws and gives the stations and "Применить" back.
  void StationListRead(const StationNames& stations);
  // The stations and "Применить" out of reach (true) or back (false); see FormShow.
  void setReading(bool reading);
  // The scroll contents grow to hold every frame and the whole chart.
  void fitScrollContents();

  tAutoAZS& AutoAZS_;
  HostCallback* host_ = nullptr;
  // The frames' width and the header's height at the desktop font of the window's making.
  const int frameWidth_;
  const int headerHeight_;
  std::function<void()> tickAction_;
  // While the station list is read: the reading's own object, which the database's answer needs
  // alive; the closing deletes it, so an answer meant for an earlier showing is dropped.
  QObject* reading_ = nullptr;
  std::unique_ptr<StationFrameColumn> frameColumn_;
};

}  // namespace tarvel::autoquery
