// TSecurityForm: the connection password dialog. It switches the password for direct IP and
// modem connections on or off and takes the password; Apply keeps both in memory and stores
// them in cnf.INI, the password scrambled. Modeless; closing it only hides it.
#pragma once

#include <QDialog>

#include "platform/ui/form_placement.h"
#include "settings/inet_settings.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel::security {

class TSecurityForm : public QDialog {
  Q_OBJECT

 public:
  // security: the connection settings in memory, owned by the plug-in module; they must outlive
  // the dialog. The dialog has no owner window and opens at its remembered place.
  explicit TSecurityForm(settings::ConnectionSecurity& security);
  // Remembers the placement when the dialog is freed while it is shown.
  ~TSecurityForm() override;

  QFrame* panAZS;
  QCheckBox* cb_EnPass;
  QLabel* Label1;
  QLineEdit* edPass;
  QCheckBox* CheckBox1;
  QFrame* Panel2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QAction* Action1;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void createComponents();
  void connectHandlers();

  void FormShow();
  void cb_EnPassClick();
  void CheckBox1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Action1Execute();

  settings::ConnectionSecurity& security_;
  platform::FormPlacement placement_;
};

}  // namespace tarvel::security
