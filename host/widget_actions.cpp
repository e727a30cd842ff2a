#include "host/widget_actions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "host/window_capture.h"

namespace tarvel::host {
namespace {

// Near the left edge, where a click puts a field's cursor before its first character.
constexpr int kTypingClickLeft = 2;

// The key a character is typed with: Qt numbers the printable ASCII keys by their upper-case
// character; any other character comes as an unknown key that carries it, as from a layout.
Qt::Key keyOf(QChar character) {
  if (character.unicode() < 0x80 && character.isPrint()) {
    return static_cast<Qt::Key>(character.toUpper().unicode());
  }
  return Qt::Key_unknown;
}

// A key pressed and released, sent to the widget's window, which hands it to its focus widget.
void pressKey(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QObject* window = widget.window()->windowHandle();
  const QPointer<QObject> receiver = window != nullptr ? window : &widget;
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(receiver, &press);
  if (receiver.isNull()) return;
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(receiver, &release);
}

QString rowText(const QAbstractItemView& view, int row) {
  const QAbstractItemModel& model = *view.model();
  QStringList columns;
  for (int column = 0; column < model.columnCount(view.rootIndex()); ++column) {
    columns << model.index(row, column, view.rootIndex()).data().toString();
  }
  return columns.join(' ').trimmed();
}

}  // namespace

bool clickRow(QWidget& widget, int row) {
  auto* view = qobject_cast<QAbstractItemView*>(&widget);
  if (view == nullptr || view->model() == nullptr) return false;
  const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
  if (!index.isValid()) return false;
  view->scrollTo(index);
  clickWidgetAt(*view->viewport(), view->visualRect(index).center());
  return true;
}

void typeText(QWidget& widget, const QString& text) {
  const QPointer<QWidget> target = &widget;
  clickWidgetAt(widget, {kTypingClickLeft, widget.height() / 2});
  if (target.isNull()) return;
  pressKey(widget, Qt::Key_A, Qt::ControlModifier, QString());
  for (const QChar character : text) {
    if (target.isNull()) return;
    pressKey(widget, keyOf(character), Qt::NoModifier, QString(character));
  }
}

std::optional<QString> shownText(const QWidget& widget, std::optional<int> row) {
  if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
    if (view->model() == nullptr) return std::nullopt;
    const int shownRow = row.value_or(view->currentIndex().row());
    if (shownRow < 0 || shownRow >= view->model()->rowCount(view->rootIndex())) {
      return std::nullopt;
    }
    return rowText(*view, shownRow);
  }
  if (row) return std::nullopt;
  if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) return field->displayText();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* box = qobject_cast<const QComboBox*>(&widget)) return box->currentText();
  if (const auto* box = qobject_cast<const QAbstractSpinBox*>(&widget)) return box->text();
  return std::nullopt;
}

}  // namespace tarvel::host
