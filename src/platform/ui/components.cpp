#include "platform/ui/components.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>

#include "platform/ui/error_guard.h"
#include "platform/ui/fixed_colours.h"

namespace tarvel::platform {
namespace {

// The caption's colour for the background the widget shows now. A caption is drawn in the
// window's, a field's or a button's text colour depending on the widget and the style, so all
// three are set.
void showTextColour(QWidget& widget, const QColor& drawn) {
  const QColor shown = readableOn(drawn, backgroundBehind(widget), kTextContrast);
  constexpr QPalette::ColorRole kRoles[] = {QPalette::WindowText, QPalette::Text,
                                            QPalette::ButtonText};
  // Only these roles are the widget's own; every other one stays inherited, so that it follows
  // the palette of the desktop and of the widget's parents.
  QPalette own;
  bool unchanged = true;
  for (const QPalette::ColorRole role : kRoles) {
    unchanged = unchanged && widget.palette().color(role) == shown;
    own.setColor(role, shown);
  }
  // Setting the palette announces a change of it again; one that changes nothing ends here.
  if (!unchanged) widget.setPalette(own);
}

// Keeps the colour a caption was drawn with, and works the caption's colour out anew whenever
// its widget's palette changes: the desktop switched its theme, or the widget was moved onto
// another background. Qt tells the widgets of a new palette one by one, in no particular order,
// so the colour is worked out once all of them have heard of it, with the background they show
// then. A child of the widget, it goes with it (and so with the plug-in, whose code it is).
class TextColourKeeper final : public QObject {
 public:
  explicit TextColourKeeper(QWidget& widget) : QObject(&widget), widget_(widget) {
    widget.installEventFilter(this);
  }

  void show(const QColor& drawn) {
    drawn_ = drawn;
    showTextColour(widget_, drawn_);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    const bool moved =
        event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange;
    if (moved && !pending_) {
      pending_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            pending_ = false;
            guarded([this] { showTextColour(widget_, drawn_); });
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget& widget_;
  QColor drawn_;
  bool pending_ = false;
};

}  // namespace

void setTextColor(QWidget* widget, const QColor& color) {
  TextColourKeeper* keeper = nullptr;
  for (QObject* child : widget->children()) {
    if (keeper == nullptr) keeper = dynamic_cast<TextColourKeeper*>(child);
  }
  if (keeper == nullptr) keeper = new TextColourKeeper(*widget);
  keeper->show(color);
}

}  // namespace tarvel::platform
