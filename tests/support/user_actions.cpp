#include "support/user_actions.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

namespace tarvel::testing {
namespace {

// The style options Qt itself builds for these widgets are protected; naming the member through
// a derived class makes it reachable on any instance without copying Qt's rules here.
struct SliderOptions : QSlider {
  using QSlider::initStyleOption;
};
struct CheckBoxOptions : QCheckBox {
  using QCheckBox::initStyleOption;
};
struct RadioButtonOptions : QRadioButton {
  using QRadioButton::initStyleOption;
};
struct ItemViewOptions : QAbstractItemView {
  using QAbstractItemView::initViewItemOption;
};
struct DelegateOptions : QStyledItemDelegate {
  using QStyledItemDelegate::initStyleOption;
};

QStyleOptionSlider sliderOption(const QSlider& slider) {
  QStyleOptionSlider option;
  (slider.*&SliderOptions::initStyleOption)(&option);
  return option;
}

QRect sliderPart(const QSlider& slider, QStyle::SubControl part) {
  const QStyleOptionSlider option = sliderOption(slider);
  return slider.style()->subControlRect(QStyle::CC_Slider, &option, part, &slider);
}

QModelIndex checkedIndex(const QAbstractItemView& view, int row, int column) {
  const QModelIndex index = view.model()->index(row, column);
  if (!index.isValid()) throw std::out_of_range("no item at that row");
  return index;
}

// Types text key by key; a character without a key of its own on a Latin keyboard (Cyrillic)
// comes as the text of an unnamed key, as an input method hands it over.
void typeKeys(QWidget& widget, const QString& text) {
  for (const QChar character : text) {
    if (character.unicode() >= 0x20 && character.unicode() < 0x7f) {
      QTest::keyClick(&widget, static_cast<char>(character.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(character),
                          Qt::NoModifier);
    }
  }
}

}  // namespace

void clickItem(QAbstractItemView& view, const QModelIndex& index, Qt::KeyboardModifiers modifiers) {
  view.scrollTo(index);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.visualRect(index).center());
}

void clickItem(QListWidget& list, int row) { clickItem(list, checkedIndex(list, row, 0)); }

void clickItem(QTreeWidget& tree, int row, int column) {
  clickItem(tree, checkedIndex(tree, row, column));
}

void clickItemCheck(QAbstractItemView& view, const QModelIndex& index) {
  view.scrollTo(index);
  // As the delegate finds the indicator when it decides whether a click toggles the tick.
  QStyleOptionViewItem option;
  (view.*&ItemViewOptions::initViewItemOption)(&option);
  option.rect = view.visualRect(index);
  auto* delegate = qobject_cast<QStyledItemDelegate*>(view.itemDelegateForIndex(index));
  if (delegate == nullptr) throw std::logic_error("the view's delegate draws no known tick");
  (delegate->*&DelegateOptions::initStyleOption)(&option, index);
  const QRect tick =
      view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, tick.center());
}

void clickItemCheck(QTreeWidget& tree, int row) {
  clickItemCheck(tree, checkedIndex(tree, row, 0));
}

void clickButton(QAbstractButton& button) {
  QPoint place = button.rect().center();
  if (auto* checkBox = qobject_cast<QCheckBox*>(&button)) {
    QStyleOptionButton option;
    (checkBox->*&CheckBoxOptions::initStyleOption)(&option);
    place = button.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &button).center();
  } else if (auto* radio = qobject_cast<QRadioButton*>(&button)) {
    QStyleOptionButton option;
    (radio->*&RadioButtonOptions::initStyleOption)(&option);
    place =
        button.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &button).center();
  }
  QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, place);
}

void typeInto(QLineEdit& field, const QString& text) {
  QTest::mouseClick(&field, Qt::LeftButton, Qt::NoModifier, {1, field.height() / 2});
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  typeKeys(field, text);
}

void typeInto(QAbstractSpinBox& box, const QString& text) {
  QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, {4, box.height() / 2});
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
  typeKeys(box, text);
}

void pressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  widget.setFocus(Qt::TabFocusReason);
  QTest::keyClick(&widget, key, modifiers);
}

void dragSlider(QSlider& slider, int value) {
  const QStyleOptionSlider option = sliderOption(slider);
  const QRect groove = sliderPart(slider, QStyle::SC_SliderGroove);
  const QRect handle = sliderPart(slider, QStyle::SC_SliderHandle);
  const bool horizontal = slider.orientation() == Qt::Horizontal;
  const int length = horizontal ? handle.width() : handle.height();
  const int grooveStart = horizontal ? groove.x() : groove.y();
  const int span = (horizontal ? groove.right() : groove.bottom()) - length + 1 - grooveStart;
  // Where the handle's leading edge stands at value; the grip keeps its place on the handle.
  const int leading =
      grooveStart + QStyle::sliderPositionFromValue(slider.minimum(), slider.maximum(), value, span,
                                                    option.upsideDown);
  const QPoint grip = handle.center();
  const QPoint target = horizontal ? QPoint(leading + (grip.x() - handle.x()), grip.y())
                                   : QPoint(grip.x(), leading + (grip.y() - handle.y()));
  dragMouse(slider, grip, target);
}

void dragMouse(QWidget& widget, QPoint from, QPoint to) {
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&widget, (from + to) / 2);
  QTest::mouseMove(&widget, to);
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, to);
}

void doAccessibleAction(QWidget& widget, const QString& actionName) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
  QAccessibleActionInterface* actions =
      accessible != nullptr ? accessible->actionInterface() : nullptr;
  if (actions == nullptr || !actions->actionNames().contains(actionName)) {
    ADD_FAILURE() << widget.objectName().toStdString() << " offers no action "
                  << actionName.toStdString();
    return;
  }
  actions->doAction(actionName);
}

}  // namespace tarvel::testing
