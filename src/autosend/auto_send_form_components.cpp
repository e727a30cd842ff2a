// The components of TAutoSendForm at the places the form was drawn with.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>

#include "autosend/auto_send_form.h"
#include "autosend/clickable_label.h"
#include "autosend/send_interval.h"
#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"

namespace tarvel::autosend {
namespace {

template <typename Widget>
Widget* makeComponent(QWidget* parent, const char* name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

template <typename Widget>
Widget* placeComponent(QWidget* parent, const char* name, QRect place, const char* cp1251Text) {
  auto* widget = makeComponent<Widget>(parent, name);
  widget->setText(platform::toUnicode(cp1251Text));
  widget->setGeometry(place);
  return widget;
}

// A label that sizes itself to its caption, as an auto-sized label does.
template <typename Label>
Label* placeLabel(QWidget* parent, const char* name, QPoint topLeft, const char* cp1251Text) {
  auto* label = makeComponent<Label>(parent, name);
  label->setText(platform::toUnicode(cp1251Text));
  label->move(topLeft);
  label->adjustSize();
  return label;
}

void setTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

}  // namespace

void TAutoSendForm::createComponents() {
  // "Использовать автоматическую отправку отчетов в офис"
  cb_AutoSend = placeComponent<QCheckBox>(
      this, "cb_AutoSend", {4, 1, 321, 17},
      "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xf2\xfc \xe0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5"
      "\xf1\xea\xf3\xfe \xee\xf2\xef\xf0\xe0\xe2\xea\xf3 \xee\xf2\xf7\xe5\xf2\xee\xe2 \xe2 "
      "\xee\xf4\xe8\xf1");

  PageControl1 = makeComponent<QTabWidget>(this, "PageControl1");
  PageControl1->setGeometry(0, 23, 389, 171);
  // The tab captions carry their own blanks for spacing; with the style's padding added as
  // well, the three tabs would not fit side by side in the page control's width.
  PageControl1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 1px; }"));
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
  // "  Тип подключения к офису  "
  PageControl1->addTab(TabSheet1, platform::toUnicode("  \xd2\xe8\xef \xef\xee\xe4\xea\xeb\xfe"
                                                      "\xf7\xe5\xed\xe8\xff \xea \xee\xf4\xe8"
                                                      "\xf1\xf3  "));
  // "Через модемное соединение"
  rb_via_modem = placeComponent<QRadioButton>(
      TabSheet1, "rb_via_modem", {16, 16, 174, 17},
      "\xd7\xe5\xf0\xe5\xe7 \xec\xee\xe4\xe5\xec\xed\xee\xe5 \xf1\xee\xe5\xe4\xe8\xed\xe5\xed\xe8"
      "\xe5");
  // "Через электронный почтовый ящик"
  rb_via_mail = placeComponent<QRadioButton>(
      TabSheet1, "rb_via_mail", {16, 48, 209, 17},
      "\xd7\xe5\xf0\xe5\xe7 \xfd\xeb\xe5\xea\xf2\xf0\xee\xed\xed\xfb\xe9 \xef\xee\xf7\xf2\xee\xe2"
      "\xfb\xe9 \xff\xf9\xe8\xea");
  // "Через прямое IP соединение"
  rb_via_inet = placeComponent<QRadioButton>(
      TabSheet1, "rb_via_inet", {16, 81, 174, 17},
      "\xd7\xe5\xf0\xe5\xe7 \xef\xf0\xff\xec\xee\xe5 IP \xf1\xee\xe5\xe4\xe8\xed\xe5\xed\xe8\xe5");
  rb_via_modem->setChecked(true);
}

void TAutoSendForm::createMomentPage() {
  TabSheet2 = makeComponent<QWidget>(PageControl1, "TabSheet2");
  // "   Тип отправки отчетов  "
  PageControl1->addTab(TabSheet2, platform::toUnicode("   \xd2\xe8\xef \xee\xf2\xef\xf0\xe0\xe2"
                                                      "\xea\xe8 \xee\xf2\xf7\xe5\xf2\xee\xe2  "));
  // "При закрытии смены"
  rb_on_closeSM = placeComponent<QRadioButton>(
      TabSheet2, "rb_on_closeSM", {16, 11, 161, 17},
      "\xcf\xf0\xe8 \xe7\xe0\xea\xf0\xfb\xf2\xe8\xe8 \xf1\xec\xe5\xed\xfb");
  rb_on_closeSM->setChecked(true);
  // "Периодически, каждые                    часов": the blanks leave room for se_period.
  rb_on_period = placeComponent<QRadioButton>(
      TabSheet2, "rb_on_period", {16, 48, 233, 17},
      "\xcf\xe5\xf0\xe8\xee\xe4\xe8\xf7\xe5\xf1\xea\xe8, \xea\xe0\xe6\xe4\xfb\xe5"
      "                    \xf7\xe0\xf1\xee\xe2");

  se_period = makeComponent<QDoubleSpinBox>(TabSheet2, "se_period");
  se_period->setGeometry(157, 45, 57, 21);
  se_period->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  se_period->setRange(kMinimumEditorInterval, kMaximumEditorInterval);
  se_period->setDecimals(2);
  se_period->setValue(1.0);

  // "Последняя периодическая отправка:"
  Label1 = placeLabel<QLabel>(TabSheet2, "Label1", {34, 63},
                              "\xcf\xee\xf1\xeb\xe5\xe4\xed\xff\xff \xef\xe5\xf0\xe8\xee\xe4"
                              "\xe8\xf7\xe5\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0:");
  setTextColor(Label1, Qt::black);

  lb_last_autosend = placeLabel<QLabel>(TabSheet2, "lb_last_autosend", {228, 62}, "");
  QFont lastSendFont = lb_last_autosend->font();
  lastSendFont.setPixelSize(11);
  lastSendFont.setWeight(QFont::Medium);
  lb_last_autosend->setFont(lastSendFont);
  setTextColor(lb_last_autosend, Qt::blue);

  // "Сбросить последнее время обмена!!!"
  Label2 = placeLabel<ClickableLabel>(TabSheet2, "Label2", {191, 74},
                                      "\xd1\xe1\xf0\xee\xf1\xe8\xf2\xfc \xef\xee\xf1\xeb\xe5\xe4"
                                      "\xed\xe5\xe5 \xe2\xf0\xe5\xec\xff \xee\xe1\xec\xe5\xed"
                                      "\xe0!!!");
  QFont linkFont = Label2->font();
  linkFont.setUnderline(true);
  Label2->setFont(linkFont);
  Label2->adjustSize();
  setTextColor(Label2, QColor(0x00, 0x00, 0x80));

  // "Периодически в назначенное время:"
  rb_on_time = placeComponent<QRadioButton>(
      TabSheet2, "rb_on_time", {16, 105, 217, 17},
      "\xcf\xe5\xf0\xe8\xee\xe4\xe8\xf7\xe5\xf1\xea\xe8 \xe2 \xed\xe0\xe7\xed\xe0\xf7\xe5\xed"
      "\xed\xee\xe5 \xe2\xf0\xe5\xec\xff:");

  dtp = makeComponent<QTimeEdit>(TabSheet2, "dtp");
  dtp->setGeometry(230, 102, 67, 21);
  dtp->setDisplayFormat(QStringLiteral("HH:mm"));
  dtp->setCalendarPopup(false);
  dtp->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

void TAutoSendForm::createMiscellaneousPage() {
  TabSheet3 = makeComponent<QWidget>(PageControl1, "TabSheet3");
  // "      Разное       "
  PageControl1->addTab(TabSheet3, platform::toUnicode("      \xd0\xe0\xe7\xed\xee\xe5       "));
  // "Выводить запрос на разрешение автоматичекой отправки"
  cbEnableZapros = placeComponent<QCheckBox>(
      TabSheet3, "cbEnableZapros", {16, 16, 359, 17},
      "\xc2\xfb\xe2\xee\xe4\xe8\xf2\xfc \xe7\xe0\xef\xf0\xee\xf1 \xed\xe0 \xf0\xe0\xe7\xf0\xe5"
      "\xf8\xe5\xed\xe8\xe5 \xe0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5\xea\xee\xe9 \xee\xf2\xef"
      "\xf0\xe0\xe2\xea\xe8");
}

void TAutoSendForm::createButtonPanel() {
  Panel1 = makeComponent<QFrame>(this, "Panel1");
  Panel1->setGeometry(0, height() - 41, 389, 41);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

  BitBtn1 = platform::makeApplyButton(Panel1, "BitBtn1", {160, 4, 107, 32});
  BitBtn1->setDefault(true);
  BitBtn2 = platform::makeCancelButton(Panel1, "BitBtn2", {273, 4, 112, 32});
}

}  // namespace tarvel::autosend
