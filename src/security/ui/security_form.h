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

  // Components, named as the form names them (each also its objectName).
  QFrame* panAZS = nullptr;
  QCheckBox* cb_EnPass = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* edPass = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QFrame* Panel2 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QAction* Action1 = nullptr;

  // Event handlers. Each is entered through the error guard, so whatever it raises goes to the
  // application-level error handler and never out of the handler.
  void FormShow() override;  // fills the controls from the settings in memory
  void cb_EnPassClick();     // edPass enabled exactly when cb_EnPass is ticked
  void CheckBox1Click();     // shows the password's characters or "*" for each
  void BitBtn1Click();       // Apply: keeps and stores, then closes
  void BitBtn2Click();       // Cancel: closes without storing
  void Action1Execute();     // Esc: closes without storing

 private:
  void createComponents();
  void connectHandlers();

  settings::ConnectionSecurity& security_;
};

}  // namespace tarvel::security
