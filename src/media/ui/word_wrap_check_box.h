// A check box whose caption wraps onto several lines inside its fixed width, as the forms'
// word-wrapped check boxes do. QCheckBox draws its caption on one line only, so the box draws
// just its indicator and a word-wrapping label beside it shows the caption.
#pragma once

#include <QCheckBox>

class QLabel;

namespace tarvel::media {

class WordWrapCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  // text() stays the caption; the label shows it. The label follows the box's enabled state
  // (it is the box's child) and a click on it toggles the box.
  explicit WordWrapCheckBox(QWidget* parent);

  // Sets the caption of the box and of its label.
  void setText(const QString& text);

  QLabel* captionLabel() const { return captionLabel_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool hitButton(const QPoint& position) const override;

 private:
  void placeCaptionLabel();

  QLabel* captionLabel_;
};

}  // namespace tarvel::media
