#include "autoquery/ui/confirmation/query_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

#include "autoquery/ui/common/component_looks.h"
#include "autoquery/ui/confirmation/confirmation_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "platform/ui/window_showing.h"

namespace tarvel::autoquery {
namespace {

constexpr QSize kQueryFormClientSize(401, 167);
constexpr int kTickMilliseconds = 1000;
constexpr int kQueryNameRightMargin = 8;
// The buttons keep their distances to the right and bottom edges as drawn.
constexpr int kQueryApplyRightGap = 401 - 186;
constexpr int kQueryCancelRightGap = 401 - 295;
constexpr int kQueryButtonBottomGap = 167 - 134;

}  // namespace

TQueryForm::TQueryForm()
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName("TQueryForm");
  setWindowTitle(platform::toUnicode(confirmation_text::kQueryFormCaption));
  platform::applyFormFont(this);
  setFixedSize(platform::scaled(kQueryFormClientSize));
  move(0, 0);
  createComponents();

  connect(BitBtn1, &QPushButton::clicked, this, platform::guardedHandler([this] { accept(); }));
  connect(BitBtn2, &QPushButton::clicked, this, platform::guardedHandler([this] { reject(); }));
  connect(Timer1, &QTimer::timeout, this, platform::guardedHandler([this] { Timer1Timer(); }));
  Timer1->start();
}

void TQueryForm::createComponents() {
  Label1 = makeLabel(this, "Label1", confirmation_text::kQueryAttention, {8, 8, 243, 13});
  platform::widenToFitCaption(Label1);

  lbAZS = makeLabel(this, "lbAZS", "", {256, 4, 0, 0});
  lbAZS->setFont(serifFont(16, QFont::Bold));
  setTextColor(lbAZS, Qt::blue);

  Label2 = makeLabel(this, "Label2", confirmation_text::kQueryCountDown, {8, 40, 269, 13});
  platform::widenToFitCaption(Label2);

  lbS = makeLabel(this, "lbS", "", {197, 32, 42, 24});
  lbS->setAlignment(Qt::AlignCenter);
  lbS->setFont(serifFont(21, QFont::Bold));
  setTextColor(lbS, kGreen);

  Label3 = makeLabel(this, "Label3", confirmation_text::kQueryWarning, {8, 63, 389, 65});
  Label3->setWordWrap(true);
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextColor(Label3, kMaroon);

  BitBtn1 = platform::makeApplyButton(this, "BitBtn1", {186, 134, 103, 30});
  BitBtn1->setDefault(true);
  BitBtn2 = platform::makeCancelButton(this, "BitBtn2", {295, 134, 102, 30});
  BitBtn2->setAutoDefault(false);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTickMilliseconds);
}

void TQueryForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  using platform::scaled;
  BitBtn1->move(width() - scaled(kQueryApplyRightGap), height() - scaled(kQueryButtonBottomGap));
  BitBtn2->move(width() - scaled(kQueryCancelRightGap), height() - scaled(kQueryButtonBottomGap));
}

void TQueryForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) platform::guarded([this] { platform::prepareForShowing(*this); });
  QDialog::showEvent(event);
}

void TQueryForm::showStationName(const QString& name) {
  // The name is what the operator must read before the count-down ends: a name longer than the
  // room beside "Внимание!" widens the window instead of running off its edge, and only a name
  // wider than the screen itself is shortened.
  const int margin = platform::scaled(kQueryNameRightMargin);
  const int drawnWidth = platform::scaled(kQueryFormClientSize.width());
  const int needed = lbAZS->x() + QFontMetrics(lbAZS->font()).horizontalAdvance(name) + margin;
  if (needed > drawnWidth) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int widest = screen ? screen->availableGeometry().width() : needed;
    setFixedWidth(std::clamp(needed, drawnWidth, std::max(widest, drawnWidth)));
  }
  setCaptionWithin(lbAZS, name, width() - lbAZS->x() - margin);
}

void TQueryForm::Timer1Timer() {
  // The counter is read back from the label, so what the operator sees is what counts. Wide
  // arithmetic keeps the lowest 32-bit start from wrapping round.
  const qlonglong left = lbS->text().toLongLong() - 1;
  lbS->setText(QString::number(left));
  if (lbS->text().toLongLong() < 0) accept();
}

void TQueryForm::closeEvent(QCloseEvent* event) {
  // The window system's close comes from the operator; the program's own close() from a host.
  if (!event->spontaneous()) closedByProgram_ = true;
  QDialog::closeEvent(event);
}

bool ConfirmAutoQuery(const std::string& stationName, int32_t seconds) {
  return AskAutoQuery(stationName, seconds) == AutoQueryAnswer::Proceed;
}

AutoQueryAnswer AskAutoQuery(const std::string& stationName, int32_t seconds) {
  TQueryForm form;
  form.showStationName(platform::toUnicode(stationName));
  form.lbS->setText(QString::number(seconds));
  const int result = platform::operatorDialogs().runModal(form);
  // Still shown: its loop was ended from outside, by the application's exit.
  if (form.closedByProgram() || form.isVisible()) return AutoQueryAnswer::Unanswered;
  return result == QDialog::Accepted ? AutoQueryAnswer::Proceed : AutoQueryAnswer::Declined;
}

void closeOpenConfirmations() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* form = qobject_cast<TQueryForm*>(window); form != nullptr && form->isVisible()) {
      form->reject();
    }
  }
}

}  // namespace tarvel::autoquery
