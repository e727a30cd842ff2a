#include "media/ui/word_wrap_check_box.h"

#include <QLabel>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tarvel::media {

WordWrapCheckBox::WordWrapCheckBox(QWidget* parent)
    : QCheckBox(parent), captionLabel_(new QLabel(this)) {
  captionLabel_->setObjectName("captionLabel");
  captionLabel_->setWordWrap(true);
  captionLabel_->setTextFormat(Qt::PlainText);
  captionLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Clicks on the caption reach the box itself, as on a one-line check box.
  captionLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  placeCaptionLabel();
}

void WordWrapCheckBox::setText(const QString& text) {
  QCheckBox::setText(text);
  captionLabel_->setText(text);
}

void WordWrapCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_CheckBox, option);
}

void WordWrapCheckBox::resizeEvent(QResizeEvent* event) {
  QCheckBox::resizeEvent(event);
  placeCaptionLabel();
}

bool WordWrapCheckBox::hitButton(const QPoint& position) const { return rect().contains(position); }

void WordWrapCheckBox::placeCaptionLabel() {
  QStyleOptionButton option;
  initStyleOption(&option);
  const int indicatorWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
  const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
  const int left = indicatorWidth + spacing;
  captionLabel_->setGeometry(left, 0, qMax(0, width() - left), height());
}

}  // namespace tarvel::media
