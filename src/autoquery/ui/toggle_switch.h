// A two-state switch drawn as a vertical slide: the knob up on a green track when on, down on a
// grey track when off. A click flips it, like a check box.
#pragma once

#include <QAbstractButton>

namespace tarvel::autoquery {

class ToggleSwitch : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ToggleSwitch(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {50, 53}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvel::autoquery
