// The station frame (TAZSFrame) as assistive technology sees it: a button named after its
// station whose press action opens the station's editor, as a click does. Qt asks the installed
// factories for an object's interface; the factory is installed while any frame exists, so
// nothing of it stays behind when the plug-in is unloaded.
#pragma once

#include <QAccessibleWidget>

namespace tarvel::autoquery {

class TAZSFrame;

class AccessibleFrame : public QAccessibleWidget {
 public:
  explicit AccessibleFrame(TAZSFrame* frame);

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

  // Counted by each frame's constructor and destructor.
  static void frameMade();
  static void frameFreed();
};

}  // namespace tarvel::autoquery
