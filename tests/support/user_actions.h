// What an operator does with the mouse and the keyboard, for tests that check a user action.
// Every action goes through QTest's mouse and key events on the real widget, at the place the
// user would aim at, so that Qt's own handling (press before release, the current item before
// the selection, focus, check indicators, input masks) runs as it does for a person. Setters
// stay for arranging the state before the action under test.
#pragma once

#include <QModelIndex>
#include <QPoint>
#include <QString>
#include <Qt>

class QAbstractButton;
class QAbstractSpinBox;
class QAbstractItemView;
class QLineEdit;
class QListWidget;
class QSlider;
class QTreeWidget;
class QWidget;

namespace tarvel::testing {

// Clicks the item at index where it stands in view (its visual rectangle), scrolling it into
// sight first. Works for lists, trees and tables.
void clickItem(QAbstractItemView& view, const QModelIndex& index,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The line at row of a list.
void clickItem(QListWidget& list, int row);
// The row of a tree (or report-style list view) at the given column.
void clickItem(QTreeWidget& tree, int row, int column = 0);

// Clicks the check indicator (the tick box) of the item at index, as the style places it.
void clickItemCheck(QAbstractItemView& view, const QModelIndex& index);
// The tick of a tree's row.
void clickItemCheck(QTreeWidget& tree, int row);

// Clicks a check box or radio button on its indicator, any other button at its centre.
void clickButton(QAbstractButton& button);

// Clicks into a text field (masked or not), selects its whole text (Ctrl+A) and types text key
// by key over it, each key changing the field as it does for the operator.
void typeInto(QLineEdit& field, const QString& text);
// The same for a spin box.
void typeInto(QAbstractSpinBox& box, const QString& text);

// Presses and releases key on widget (which gets the focus first, as a user's click gives it).
void pressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Drags a track bar's handle to the place of value: press on the handle, move, release.
void dragSlider(QSlider& slider, int value);

// Presses the left button at from, moves to to while holding it, and releases it there.
void dragMouse(QWidget& widget, QPoint from, QPoint to);

// What an assistive client (a screen reader) does through the accessibility bus: runs the named
// action (QAccessibleActionInterface::toggleAction(), pressAction() ...) of the widget's
// accessible interface. Fails the test when the widget offers no such action.
void doAccessibleAction(QWidget& widget, const QString& actionName);

}  // namespace tarvel::testing
