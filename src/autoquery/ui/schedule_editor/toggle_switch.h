// A two-state switch drawn as a vertical slide: the knob up on a green track when on, down on a
// grey track when off. A click (or Space) flips it, like a check box; a knob dragged and let go
// ends in the half where it was let go, emitting clicked only when that changes the state.
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
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPoint pressPoint_;
  bool dragging_ = false;
};

}  // namespace tarvel::autoquery
