#include "platform/ui/dialog_buttons.h"

#include <QAction>
#include <QPushButton>
#include <QStyle>

#include "platform/cp1251.h"

namespace tarvel::platform {
namespace {

QPushButton* makeButton(QWidget* parent, const char* objectName, const QRect& geometry,
                        QStyle::StandardPixmap picture, const QString& caption) {
  auto* button = new QPushButton(parent->style()->standardIcon(picture), caption, parent);
  button->setObjectName(objectName);
  button->setGeometry(geometry);
  return button;
}

}  // namespace

QPushButton* makeApplyButton(QWidget* parent, const char* objectName, const QRect& geometry) {
  return makeButton(parent, objectName, geometry, QStyle::SP_DialogApplyButton,
                    toUnicode("\xcf\xf0\xe8\xec\xe5\xed\xe8\xf2\xfc") /* "Применить" */);
}

QPushButton* makeCancelButton(QWidget* parent, const char* objectName, const QRect& geometry) {
  return makeButton(parent, objectName, geometry, QStyle::SP_DialogCancelButton,
                    toUnicode("\xce\xf2\xec\xe5\xed\xe8\xf2\xfc") /* "Отменить" */);
}

QAction* makeEscapeAction(QWidget* window, const char* objectName) {
  auto* action = new QAction(window);
  action->setObjectName(objectName);
  action->setShortcut(QKeySequence(Qt::Key_Escape));
  action->setShortcutContext(Qt::WindowShortcut);
  window->addAction(action);
  return action;
}

}  // namespace tarvel::platform
