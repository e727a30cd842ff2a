// TAutoZaprosOfficeForm: the office window "Автоматический запрос данных с АЗС". Every station
// of the office database stands in ScrollBox1 as its frame, with the time-line chart Image1
// beside the frames; a click on a frame opens that station's schedule editor; "Применить" saves
// all schedules to cnf.INI and any other close reloads them from it. The window also holds the
// polling timer TimerSend, which ticks from the window's creation on, shown or not.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/ui/image_list.h"
#include "tarvel/contract.h"

class QCheckBox;
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
class DatabaseWait;

// The station frames stand in bands of this many (see frameBand).
inline constexpr int kFramesPerBand = 100;

// The interval of the polling timer.
inline constexpr int kSendIntervalMilliseconds = 30'000;

class TAutoZaprosOfficeForm : public QDialog {
  Q_OBJECT

 public:
  // Created hidden, without an owner window, at the top left corner; TimerSend starts here.
  // CheckBox1 takes its remembered state.
  TAutoZaprosOfficeForm();
  // Station frames still standing in ScrollBox1 belong to their items: they are taken out of
  // the window rather than freed with it.
  ~TAutoZaprosOfficeForm() override;

  // The host whose answer to HostCommand::DatabaseConnection names the database and who
  // receives the messages; not owned.
  void setHost(HostCallback* host) { host_ = host; }
  // Where the one registry (AutoAZS) lives. The window lines it up with the office database,
  // saves it, and on a close without "Применить" replaces it by a fresh one loaded from
  // cnf.INI, whose frames the window makes (viewFactory).
  void setRegistry(std::unique_ptr<tAutoAZS>* AutoAZS) { AutoAZS_ = AutoAZS; }

  QFrame* Panel2 = nullptr;
  QLabel* Label14 = nullptr;
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
  // IBDataSet1), on a thread of its own: the window waits for it at most kOpeningBound when
  // shown and kClosingBound when closed, handling events meanwhile.
  OfficeDatabaseThread IBDatabase1;
  ImageList ImageList1;
  QTimer* TimerSend = nullptr;

  // What each tick of TimerSend does (the polling engine's tick); nothing while empty.
  void setTickAction(std::function<void()> action) { tickAction_ = std::move(action); }

  // Handlers. Each enters the error guard where Qt calls it.
  // Lines the registry up with the office database (reporting a failure, or a database that
  // does not answer within kOpeningBound, to the host as "Ошибка получения списка АЗС: " and
  // going on with the registry as it is), applies the legend switch and redraws.
  void FormShow();
  // Closes the database (given up after kClosingBound); without the OK result, drops the
  // changes of this visit by reloading the registry from cnf.INI.
  void FormClose(int result);
  // Saves the registry to cnf.INI, then closes with OK. A failed save keeps the window open.
  void BitBtn1Click();
  void tbMashChange();
  void tbPrognChange();
  void CheckBox1Click();
  // Rebuilds the chart at tbMash's scale over tbProgn + 1 days; a failure is reported to the
  // host as "Ошибка отрисовки времени соединения: " and the previous chart stays.
  void Redraw();
  // Opens the schedule editor of the station at azsIndex; redraws when it closes with OK.
  void FrameClick(int32_t azsIndex);
  // One tick of TimerSend: the tick action, through the error guard.
  void TimerSendTimer();

  // Makes a station frame inside ScrollBox1, hidden, its clicks going to FrameClick: the
  // registry's Add uses it for every new item.
  tAutoAZS::ViewFactory viewFactory();

  // The widget inside ScrollBox1 that Label13, the station frames and Image1 stand on. The
  // frames stand in bands of kFramesPerBand (see frameBand) that cover the contents from the
  // top, so a frame's geometry is its place in the contents.
  QWidget* scrollContents() const;

 signals:
  // A station frame was clicked; azsIndex is the frame's AZSIndex.
  void FrameClicked(int32_t azsIndex);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Follows the size of ScrollBox1's viewport, which also changes when the legend comes or goes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createComponents();
  void createLegend();
  void createBottomPanel();
  void reportToHost(const std::string& text);
  // The station names of the office database, read on its thread within kOpeningBound; empty
  // when the window was closed meanwhile. Raises what failed, and OfficeDatabaseError when the
  // database did not answer in time.
  std::optional<StationNames> readStationNames();
  // The items' frames after the registry was lined up: refreshed, shown, numbered.
  void refreshFrames();
  // The band that holds the frame of the item at this position, made when first needed.
  QWidget* frameBand(int position);
  // Shows the bands that the scroll box's viewport reaches and hides the others, so that Qt
  // keeps only the frames in sight (and near it) shown.
  void showBandsInSight();
  // The scroll contents grow to hold every frame and the whole chart.
  void fitScrollContents();

  HostCallback* host_ = nullptr;
  std::unique_ptr<tAutoAZS>* AutoAZS_ = nullptr;
  std::function<void()> tickAction_;
  DatabaseWait* openingWait_ = nullptr;  // while FormShow waits for the database
  std::vector<QWidget*> frameBands_;
  int liveFrames_ = 0;  // frames alive: the position of the next item's frame
};

}  // namespace tarvel::autoquery
