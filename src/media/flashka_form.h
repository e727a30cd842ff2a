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

  QLabel* Label1;
  QLineEdit* eExDisk;
  QToolButton* BitBtn3;
  QFrame* pOnAZS;
  QCheckBox* cbFromDisk;
  WordWrapCheckBox* cbAddTovarUp;
  QFrame* Panel1;
  QFrame* Panel2;
  QFrame* Bevel1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QAction* Action1;

 private:
  void createComponents();
  void createStationSwitches();
  void connectHandlers();

  void FormShow() override;
  void BitBtn1Click();
  void BitBtn3Click();
  void cbFromDiskClick();
  void Action1Execute();

  uint8_t mode_;
};

}  // namespace tarvel::media
