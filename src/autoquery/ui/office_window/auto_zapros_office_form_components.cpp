// The office window's components, placed as the window was drawn: the hint panel on top, the
// scroll box of frames and chart, the legend and the panel of track bars and buttons below.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/ui/common/component_looks.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/office_window/legend_pictures.h"
#include "autoquery/ui/office_window/legend_switch_storage.h"
#include "autoquery/ui/office_window/office_window_layout.h"
#include "autoquery/ui/office_window/office_window_texts.h"
#include "autoquery/ui/station_frame/azs_frame.h"
#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/fixed_colours.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {
namespace {

using namespace office_window_layout;

constexpr int kHintPanelHeight = 41;
constexpr int kLegendPanelHeight = 73;
constexpr int kButtonPanelHeight = 42;
constexpr int kLegendLineStep = 19;
// Times New Roman 11 pt.
constexpr int kLegendSwitchPixelSize = 15;

QFrame* makePanel(QWidget* parent, const char* objectName, int height) {
  auto* panel = makeComponent<QFrame>(parent, objectName);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setFixedHeight(platform::scaled(height));
  return panel;
}

QSlider* makeTrackBar(QWidget* parent, const char* objectName, QRect place, int maximum,
                      int position) {
  auto* trackBar = makeComponent<QSlider>(parent, objectName);
  trackBar->setOrientation(Qt::Horizontal);
  trackBar->setRange(1, maximum);
  trackBar->setPageStep(1);
  trackBar->setSingleStep(1);
  trackBar->setTickPosition(QSlider::TicksBelow);
  trackBar->setTickInterval(1);
  trackBar->setValue(position);
  trackBar->setGeometry(platform::scaled(place));
  return trackBar;
}

// A picture at the form's place; its pixmap comes with paintLegendPictures.
QLabel* makePicture(QWidget* parent, const char* objectName, QPoint place) {
  auto* label = makeComponent<QLabel>(parent, objectName);
  label->move(platform::scaled(place));
  return label;
}

void showPicture(QLabel* label, const QPixmap& picture) {
  label->setPixmap(picture);
  label->resize(picture.size());
}

}  // namespace

void TAutoZaprosOfficeForm::createComponents() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  Panel2 = makePanel(this, "Panel2", kHintPanelHeight);
  Label14 = makeLabel(Panel2, "Label14", office_window_text::kOfficeHint, QRect(8, 14, 0, 0));
  lbReading =
      makeLabel(Panel2, "lbReading", office_window_text::kReadingStationList, QRect(8, 14, 0, 0));
  lbReading->hide();
  layout->addWidget(Panel2);

  ScrollBox1 = makeComponent<QScrollArea>(this, "ScrollBox1");
  ScrollBox1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ScrollBox1->setLineWidth(1);
  ScrollBox1->horizontalScrollBar()->setTracking(true);
  ScrollBox1->setWidgetResizable(false);
  auto* contents = makeComponent<QWidget>(ScrollBox1, "ScrollBox1Contents");
  ScrollBox1->setWidget(contents);
  Label13 = makeLabel(contents, "Label13", office_window_text::kColumnHeader, QRect(0, 0, 0, 0));
  Label13->setTextFormat(Qt::PlainText);
  Image1 = new chart::ChartWidget(contents);
  Image1->move(chartPlace());
  Image1->setAccessibleName(platform::toUnicode(office_window_text::kChartName));
  layout->addWidget(ScrollBox1, 1);

  createLegend();
  layout->addWidget(p);
  createBottomPanel();
  layout->addWidget(Panel1);

  TimerSend = makeComponent<QTimer>(this, "TimerSend");
  TimerSend->setInterval(kSendIntervalMilliseconds);
}

void TAutoZaprosOfficeForm::createLegend() {
  p = makePanel(this, "p", kLegendPanelHeight);

  Label3 = makeLabel(p, "Label3", office_window_text::kColouringCaption, QRect(8, 3, 0, 0));
  Shape3 = makePicture(p, "Shape3", {8, 19});
  Shape1 = makePicture(p, "Shape1", {8, 19 + kLegendLineStep});
  Shape2 = makePicture(p, "Shape2", {8, 19 + 2 * kLegendLineStep});
  Label5 = makeComponent<QLabel>(p, "Label5");
  // Each line of the caption stands beside its swatch.
  QString meanings = platform::toUnicode(office_window_text::kColouringMeanings).toHtmlEscaped();
  meanings.replace('\n', "<br>");
  Label5->setText(QString("<p style=\"line-height:%1px; margin:0\">%2</p>")
                      .arg(platform::scaled(kLegendLineStep))
                      .arg(meanings));
  Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label5->setGeometry(platform::scaled(QRect(28, 16, 190, 3 * kLegendLineStep + 4)));

  Label4 = makeLabel(p, "Label4", office_window_text::kIconsCaption, QRect(232, 3, 0, 0));
  Image2 = makePicture(p, "Image2", {232, 16});
  Label6 = makeLabel(p, "Label6", office_window_text::kPollingOnMeaning, QRect(255, 19, 0, 0));
  Label7 = makeLabel(p, "Label7", office_window_text::kPollingOffMeaning,
                     QRect(255, 19 + kLegendLineStep, 0, 0));
  Image3 = makePicture(p, "Image3", {420, 15});
  paintLegendPictures();
  Label10 = makeLabel(p, "Label10", office_window_text::kModemMeaning, QRect(443, 18, 0, 0));
  Label11 = makeLabel(p, "Label11", office_window_text::kMailMeaning,
                      QRect(443, 18 + kLegendLineStep, 0, 0));
  Label12 = makeLabel(p, "Label12", office_window_text::kDirectIpMeaning,
                      QRect(443, 18 + 2 * kLegendLineStep, 0, 0));
}

void TAutoZaprosOfficeForm::createBottomPanel() {
  Panel1 = makePanel(this, "Panel1", kButtonPanelHeight);
  Label1 = makeLabel(Panel1, "Label1", office_window_text::kScaleCaption, QRect(8, 14, 0, 0));
  tbMash = makeTrackBar(Panel1, "tbMash", QRect(60, 9, 70, 24), 5, 2);
  lbMash = makeLabel(Panel1, "lbMash", "X2", QRect(134, 14, 26, 14));
  Label2 = makeLabel(Panel1, "Label2", office_window_text::kForecastCaption, QRect(166, 14, 0, 0));
  tbProgn = makeTrackBar(Panel1, "tbProgn", QRect(218, 9, 110, 24), 30, 7);
  lbProgn = makeLabel(Panel1, "lbProgn", "7", QRect(332, 14, 54, 14));
  lbProgn->setText(platform::toUnicode(std::string("7") + office_window_text::kDaysSuffix));

  CheckBox1 = makeComponent<QCheckBox>(Panel1, "CheckBox1");
  CheckBox1->setText(platform::toUnicode(office_window_text::kShowLegendCaption));
  QFont switchFont = serifFont(kLegendSwitchPixelSize, QFont::Bold);
  switchFont.setUnderline(true);
  CheckBox1->setFont(switchFont);
  setTextColor(CheckBox1, kNavy);
  CheckBox1->setCursor(Qt::PointingHandCursor);
  CheckBox1->move(platform::scaled(QPoint(390, 10)));
  CheckBox1->adjustSize();
  CheckBox1->setChecked(rememberedLegendSwitch());

  BitBtn1 = platform::makeApplyButton(Panel1, "BitBtn1",
                                      QRect(0, kButtonTop, kButtonWidth, kButtonHeight));
  BitBtn2 = platform::makeCancelButton(Panel1, "BitBtn2",
                                       QRect(0, kButtonTop, kButtonWidth, kButtonHeight));
}

void TAutoZaprosOfficeForm::paintLegendPictures() {
  // The legend panel shows the window's own background, and so do the pictures on it.
  const QColor background = platform::backgroundBehind(*p);
  // The outline of the swatches is a line of the legend: readable on a dark background too.
  const QColor outline = platform::readableOn(Qt::black, background, platform::kLineContrast);
  showPicture(Shape3, legendSwatch(Qt::lightGray, background, outline, true));
  showPicture(Shape1, legendSwatch(QColor(0, 128, 0), background, outline, false));
  showPicture(Shape2, legendSwatch(Qt::red, background, outline, false));
  const int step = platform::scaled(kLegendLineStep);
  showPicture(Image2, legendIcons(ImageList1, {IconIndex::PollingOn, IconIndex::PollingOff},
                                  background, step));
  showPicture(Image3,
              legendIcons(ImageList1, {IconIndex::Modem, IconIndex::Mail, IconIndex::DirectIp},
                          background, step));
}

void TAutoZaprosOfficeForm::nameForListeners() {
  ScrollBox1->setAccessibleName(platform::toUnicode(office_window_text::kStationListName));
  tbMash->setAccessibleName(platform::toUnicode(office_window_text::kScaleName));
  tbProgn->setAccessibleName(platform::toUnicode(office_window_text::kForecastName));
}

}  // namespace tarvel::autoquery
