// TFlashkaForm: the removable-media settings dialog. It edits where the exchange files lie on
// a removable medium (ExDisk) and, at a station, the two switches about the office's request
// file (ConfigFromDisk, AutoAddTovarUp), all in section Port of cnf.INI. Modal; made once and
// shown again for each use, refilled from the file at every showing.
#pragma once

#include <QDialog>
#include <cstdint>

#include "platform/ui/settings_dialog.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarvel::media {

class WordWrapCheckBox;

// Whether the installation of this mode keeps the station switches: station (0) and 2.
bool showsStationSwitches(uint8_t mode);

class TFlashkaForm : public platform::SettingsDialog {
  Q_OBJECT

 public:
  // mode: the installation's Mode, fixed for the dialog's life. No owner window; opens at its
  // remembered place.
  explicit TFlashkaForm(uint8_t mode);

  // Components, named as the form names them (each also its objectName).
  QLabel* Label1 = nullptr;
  QLineEdit* eExDisk = nullptr;
  QToolButton* BitBtn3 = nullptr;
  QFrame* pOnAZS = nullptr;
  QCheckBox* cbFromDisk = nullptr;
  WordWrapCheckBox* cbAddTovarUp = nullptr;
  QFrame* Panel1 = nullptr;
  QFrame* Panel2 = nullptr;
  QFrame* Bevel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QAction* Action1 = nullptr;

  // Event handlers. Each is entered through the error guard, so whatever it raises goes to the
  // application-level error handler and never out of the handler.
  void FormShow() override;  // fills the controls from cnf.INI
  void BitBtn1Click();       // Apply: writes the keys, then closes with OK
  void BitBtn2Click();       // Cancel: closes without saving
  void BitBtn3Click();       // the folder chooser
  void cbFromDiskClick();    // cbAddTovarUp enabled exactly when cbFromDisk is not ticked
  void Action1Execute();     // Esc: closes without saving

 protected:
  // A change of the desktop's theme draws the magnifying glass for the new background.
  void changeEvent(QEvent* event) override;

 private:
  void createComponents();
  void createStationSwitches();
  void connectHandlers();

  uint8_t mode_;
};

}  // namespace tarvel::media
