// TSecurityForm: the connection password dialog. It switches the password for direct IP and
// modem connections on or off and takes the password; Apply keeps both in memory and stores
// them in cnf.INI, the password scrambled. Modeless; closing it only hides it.
#pragma once

#include <QDialog>

#include "platform/ui/settings_dialog.h"
#include "settings/inet_settings.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel::security {

class TSecurityForm : public platform::SettingsDialog {
  Q_OBJECT

 public:
  // security: the connection settings in memory, owned by the plug-in module; they must outlive
  // the dialog. The dialog has no owner window and opens at its remembered place.
  explicit TSecurityForm(settings::ConnectionSecurity& security);

  QFrame* panAZS;
  QCheckBox* cb_EnPass;
  QLabel* Label1;
  QLineEdit* edPass;
  QCheckBox* CheckBox1;
  QFrame* Panel2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QAction* Action1;

 private:
  void createComponents();
  void connectHandlers();

  void FormShow() override;
  void cb_EnPassClick();
  void CheckBox1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  void Action1Execute();

  settings::ConnectionSecurity& security_;
};

}  // namespace tarvel::security
