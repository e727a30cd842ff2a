// TAutoZaprosOfficeForm: the office window "Автоматический запрос данных с АЗС". It holds the
// station frames in ScrollBox1, the icons in ImageList1 and the polling timer TimerSend, which
// ticks from the window's creation on, shown or not.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "autoquery/core/auto_azs.h"
#include "autoquery/ui/image_list.h"

class QScrollArea;
class QTimer;

namespace tarvel::autoquery {

// The interval of the polling timer.
inline constexpr int kSendIntervalMilliseconds = 30'000;

class TAutoZaprosOfficeForm : public QDialog {
  Q_OBJECT

 public:
  // Created hidden, without an owner window, at the top left corner; TimerSend starts here.
  TAutoZaprosOfficeForm();
  // Station frames still standing in ScrollBox1 belong to their items: they are taken out of
  // the window rather than freed with it.
  ~TAutoZaprosOfficeForm() override;

  QScrollArea* ScrollBox1 = nullptr;
  ImageList ImageList1;
  QTimer* TimerSend = nullptr;

  // What each tick of TimerSend does (the polling engine's tick); nothing while empty.
  void setTickAction(std::function<void()> action) { tickAction_ = std::move(action); }

  // One tick of TimerSend: the tick action, through the error guard.
  void TimerSendTimer();

  // Makes a station frame inside ScrollBox1, hidden, its clicks passed on as FrameClicked: the
  // registry's Add uses it for every new item.
  tAutoAZS::ViewFactory viewFactory();

  // The widget inside ScrollBox1 that the station frames stand on.
  QWidget* scrollContents() const;

 signals:
  // A station frame was clicked; azsIndex is the frame's AZSIndex.
  void FrameClicked(int32_t azsIndex);

 private:
  void createComponents();

  std::function<void()> tickAction_;
};

}  // namespace tarvel::autoquery
