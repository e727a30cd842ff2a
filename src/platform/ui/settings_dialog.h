// What the plug-in's settings dialogs share: a fixed client area in the form font (both grown
// with a larger desktop font), a title, the form's class name as objectName, a remembered
// placement (the window opens where it was last hidden, or at the top left corner), and the
// window it belongs to (see window_owner.h), with no parent that would own it. Each showing the
// program asks for runs FormShow through the error guard; a window system's own show (restoring
// from minimised) is no new opening.
#pragma once

#include <QDialog>
#include <QPointer>

#include "platform/ui/form_placement.h"

namespace tarvel::platform {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // formName: the form's class name; caption: its Windows-1251 title; frame: the window flags;
  // owner: the window it serves, or nullptr for the one the operator works in when it is shown.
  SettingsDialog(const char* formName, const char* caption, QSize clientSize, Qt::WindowFlags frame,
                 QWidget* owner = nullptr);
  // Remembers the placement when the dialog is freed while it is shown.
  ~SettingsDialog() override;

  FormPlacement FormPlacement1;

 protected:
  // Fills the dialog for a new showing.
  virtual void FormShow() {}

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace tarvel::platform
