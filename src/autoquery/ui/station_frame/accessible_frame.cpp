#include "autoquery/ui/station_frame/accessible_frame.h"

#include <QAccessible>

#include "autoquery/ui/station_frame/azs_frame.h"

namespace tarvel::autoquery {
namespace {

int liveFrames = 0;

QAccessibleInterface* frameInterface(const QString& className, QObject* object) {
  if (className != QLatin1String(TAZSFrame::staticMetaObject.className())) return nullptr;
  auto* frame = qobject_cast<TAZSFrame*>(object);
  return frame == nullptr ? nullptr : new AccessibleFrame(frame);
}

}  // namespace

AccessibleFrame::AccessibleFrame(TAZSFrame* frame)
    : QAccessibleWidget(frame, QAccessible::Button) {}

QStringList AccessibleFrame::actionNames() const {
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleFrame::doAction(const QString& actionName) {
  if (actionName == pressAction() && widget()->isEnabled()) {
    static_cast<TAZSFrame*>(widget())->pressLater();
    return;
  }
  QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleFrame::keyBindingsForAction(const QString& actionName) const {
  if (actionName == pressAction()) return {QStringLiteral("Return"), QStringLiteral("Space")};
  return QAccessibleWidget::keyBindingsForAction(actionName);
}

void AccessibleFrame::frameMade() {
  if (liveFrames++ == 0) QAccessible::installFactory(frameInterface);
}

void AccessibleFrame::frameFreed() {
  if (--liveFrames == 0) QAccessible::removeFactory(frameInterface);
}

}  // namespace tarvel::autoquery
