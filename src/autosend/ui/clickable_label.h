// A label that works as a link: it reports a left click released over it.
#pragma once

#include <QLabel>

namespace tarvel::autosend {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(QWidget* parent = nullptr);

 signals:
  // A left-button click: pressed and released over the label.
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tarvel::autosend
