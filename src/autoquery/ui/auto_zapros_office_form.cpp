#include "autoquery/ui/auto_zapros_office_form.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <memory>

#include "autoquery/ui/autoquery_ui_texts.h"
#include "autoquery/ui/azs_frame.h"
#include "autoquery/ui/component_looks.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {
namespace {

constexpr QSize kClientSize(763, 366);
// The bands above and below the scroll box: the hint panel on top, the legend and the panel
// of track bars and buttons at the bottom.
constexpr int kHintPanelHeight = 41;
constexpr int kLegendPanelHeight = 73;
constexpr int kButtonPanelHeight = 42;

}  // namespace

TAutoZaprosOfficeForm::TAutoZaprosOfficeForm()
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setObjectName("TAutoZaprosOfficeForm");
  setWindowTitle(platform::toUnicode(texts::kOfficeFormCaption));
  platform::applyFormFont(this);
  resize(kClientSize);
  move(0, 0);
  createComponents();

  // TimerSendTimer enters the error guard itself.
  connect(TimerSend, &QTimer::timeout, this, &TAutoZaprosOfficeForm::TimerSendTimer);
  TimerSend->start();
}

TAutoZaprosOfficeForm::~TAutoZaprosOfficeForm() {
  for (TAZSFrame* frame : scrollContents()->findChildren<TAZSFrame*>(Qt::FindDirectChildrenOnly)) {
    frame->hide();
    frame->setParent(nullptr);
  }
}

void TAutoZaprosOfficeForm::createComponents() {
  ScrollBox1 = makeComponent<QScrollArea>(this, "ScrollBox1");
  ScrollBox1->setGeometry(
      0, kHintPanelHeight, kClientSize.width(),
      kClientSize.height() - kHintPanelHeight - kLegendPanelHeight - kButtonPanelHeight);
  ScrollBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ScrollBox1->setLineWidth(1);
  ScrollBox1->horizontalScrollBar()->setTracking(true);
  auto* contents = makeComponent<QWidget>(ScrollBox1, "ScrollBox1Contents");
  ScrollBox1->setWidget(contents);

  TimerSend = makeComponent<QTimer>(this, "TimerSend");
  TimerSend->setInterval(kSendIntervalMilliseconds);
}

QWidget* TAutoZaprosOfficeForm::scrollContents() const { return ScrollBox1->widget(); }

void TAutoZaprosOfficeForm::TimerSendTimer() {
  platform::guarded([this] {
    if (tickAction_) tickAction_();
  });
}

tAutoAZS::ViewFactory TAutoZaprosOfficeForm::viewFactory() {
  return [this]() -> std::unique_ptr<ItemView> {
    auto frame = std::make_unique<TAZSFrame>(ImageList1, scrollContents());
    frame->hide();
    connect(frame.get(), &TAZSFrame::FrameClick, this, &TAutoZaprosOfficeForm::FrameClicked);
    return frame;
  };
}

}  // namespace tarvel::autoquery
