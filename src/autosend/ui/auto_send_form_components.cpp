// The components of TAutoSendForm at the places the form was drawn with.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>

#include "autosend/core/autosend_texts.h"
#include "autosend/core/send_interval.h"
#include "autosend/ui/auto_send_form.h"
#include "autosend/ui/clickable_label.h"
#include "autosend/ui/compact_tab_style.h"
#include "platform/cp1251.h"
#include "platform/ui/components.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/form_font.h"

namespace tarvel::autosend {
namespace {

using platform::makeComponent;
using platform::placeComponent;
using platform::placeLabel;
using platform::setTextColor;
using platform::toUnicode;

}  // namespace

void TAutoSendForm::createComponents() {
  cb_AutoSend = placeComponent<QCheckBox>(this, "cb_AutoSend", {4, 1, 321, 17}, text::kUseAutoSend);

  PageControl1 = placeComponent<QTabWidget>(this, "PageControl1", {0, 23, 389, 171});
  useCompactTabs(PageControl1->tabBar());
  createConnectionPage();
  createMomentPage();
  createMiscellaneousPage();
  PageControl1->setCurrentIndex(0);

  createButtonPanel();

  Timer_check_AutoSend = makeComponent<QTimer>(this, "Timer_check_AutoSend");
  Timer_check_AutoSend->setInterval(kCheckIntervalMilliseconds);
}

void TAutoSendForm::createConnectionPage() {
  TabSheet1 = makeComponent<QWidget>(PageControl1, "TabSheet1");
  PageControl1->addTab(TabSheet1, toUnicode(text::kConnectionTab));
  rb_via_modem =
      placeComponent<QRadioButton>(TabSheet1, "rb_via_modem", {16, 16, 174, 17}, text::kViaModem);
  rb_via_mail =
      placeComponent<QRadioButton>(TabSheet1, "rb_via_mail", {16, 48, 209, 17}, text::kViaMail);
  rb_via_inet =
      placeComponent<QRadioButton>(TabSheet1, "rb_via_inet", {16, 81, 174, 17}, text::kViaInet);
  rb_via_modem->setChecked(true);
}

void TAutoSendForm::createMomentPage() {
  TabSheet2 = makeComponent<QWidget>(PageControl1, "TabSheet2");
  PageControl1->addTab(TabSheet2, toUnicode(text::kMomentTab));
  rb_on_closeSM = placeComponent<QRadioButton>(TabSheet2, "rb_on_closeSM", {16, 11, 161, 17},
                                               text::kOnShiftClose);
  rb_on_closeSM->setChecked(true);
  rb_on_period =
      placeComponent<QRadioButton>(TabSheet2, "rb_on_period", {16, 48, 233, 17}, text::kOnPeriod);

  se_period = placeComponent<QDoubleSpinBox>(TabSheet2, "se_period", {157, 45, 57, 21});
  se_period->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  se_period->setRange(kMinimumEditorInterval, kMaximumEditorInterval);
  se_period->setDecimals(2);
  se_period->setValue(1.0);

  Label1 = placeLabel<QLabel>(TabSheet2, "Label1", {34, 63}, text::kLastPeriodicSend);
  setTextColor(Label1, Qt::black);

  lb_last_autosend = placeLabel<QLabel>(TabSheet2, "lb_last_autosend", {228, 62}, "");
  lb_last_autosend->setFont(lastSendFont());
  setTextColor(lb_last_autosend, Qt::blue);

  Label2 = placeLabel<ClickableLabel>(TabSheet2, "Label2", {191, 74}, text::kResetLastSend);
  QFont linkFont = Label2->font();
  linkFont.setUnderline(true);
  Label2->setFont(linkFont);
  Label2->adjustSize();
  setTextColor(Label2, QColor(0x00, 0x00, 0x80));

  rb_on_time =
      placeComponent<QRadioButton>(TabSheet2, "rb_on_time", {16, 105, 217, 17}, text::kOnTime);

  dtp = placeComponent<QTimeEdit>(TabSheet2, "dtp", {230, 102, 67, 21});
  dtp->setDisplayFormat(QStringLiteral("HH:mm"));
  dtp->setCalendarPopup(false);
  dtp->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

void TAutoSendForm::createMiscellaneousPage() {
  TabSheet3 = makeComponent<QWidget>(PageControl1, "TabSheet3");
  PageControl1->addTab(TabSheet3, toUnicode(text::kMiscellaneousTab));
  cbEnableZapros = placeComponent<QCheckBox>(TabSheet3, "cbEnableZapros", {16, 16, 359, 17},
                                             text::kEnableQuestion);
}

void TAutoSendForm::createButtonPanel() {
  Panel1 = placeComponent<QFrame>(this, "Panel1",
                                  {0, kFormClientSize.height() - 41, kFormClientSize.width(), 41});
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

  BitBtn1 = platform::makeApplyButton(Panel1, "BitBtn1", {160, 4, 107, 32});
  BitBtn1->setDefault(true);
  BitBtn2 = platform::makeCancelButton(Panel1, "BitBtn2", {273, 4, 112, 32});
}

QFont lastSendFont() {
  // The face the form names first; where this platform lacks it, Qt's font matching takes the
  // nearest face it has, and the form's own face after that.
  QFont font;
  font.setFamilies({QStringLiteral("Franklin Gothic Medium"), platform::formFont().family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(platform::scaled(11));
  font.setWeight(QFont::Medium);
  return font;
}

}  // namespace tarvel::autosend
