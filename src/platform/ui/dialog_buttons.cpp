#include "platform/ui/dialog_buttons.h"

#include <QAction>
#include <QPushButton>
#include <QStyle>

#include "platform/cp1251.h"
#include "platform/platform_texts.h"
#include "platform/ui/components.h"

namespace tarvel::platform {
namespace {

QPushButton* makeButton(QWidget* parent, const char* objectName, const QRect& geometry,
                        QStyle::StandardPixmap picture, std::string_view caption) {
  auto* button = placeComponent<QPushButton>(parent, objectName, geometry, caption);
  button->setIcon(parent->style()->standardIcon(picture));
  return button;
}

}  // namespace

QPushButton* makeApplyButton(QWidget* parent, const char* objectName, const QRect& geometry) {
  return makeButton(parent, objectName, geometry, QStyle::SP_DialogApplyButton, text::kApplyButton);
}

QPushButton* makeCancelButton(QWidget* parent, const char* objectName, const QRect& geometry) {
  return makeButton(parent, objectName, geometry, QStyle::SP_DialogCancelButton,
                    text::kCancelButton);
}

QAction* makeEscapeAction(QWidget* window, const char* objectName) {
  auto* action = makeComponent<QAction>(window, objectName);
  action->setShortcut(QKeySequence(Qt::Key_Escape));
  action->setShortcutContext(Qt::WindowShortcut);
  window->addAction(action);
  return action;
}

}  // namespace tarvel::platform
