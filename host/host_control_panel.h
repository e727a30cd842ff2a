// The host's side of what the plug-in asks: the answers the call-back gives are read from these
// controls at the moment of each call, so a person can change them while the plug-in runs (close
// a shift, switch the installation kind, rename the station).
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tarvel::host {

class HostControlPanel final : public QWidget {
  Q_OBJECT

 public:
  // mode is the one the plug-in is loaded with: the office (1) starts as installation kind 3,
  // everything else as 0.
  explicit HostControlPanel(uint8_t mode, QWidget* parent = nullptr);

  QSpinBox* installationKind;     // Command 46
  QSpinBox* shiftNumber;          // Command 25
  QPushButton* closeShiftButton;  // moves shiftNumber on by one
  QSpinBox* callbackVersion;      // GetVersion
  QLineEdit* databaseConnection;  // Command 69
  QLineEdit* stationName;         // GetStationName
  QTableWidget* stationTable;     // FindStation: name, value at offset 28

  // The station name as Windows-1251.
  std::string stationNameText() const;
  // The database connection text as Windows-1251.
  std::string databaseConnectionText() const;
  // The value at offset 28 of the first row whose name equals stationName (Windows-1251, case
  // ignored); std::nullopt when no row has it.
  std::optional<int32_t> findStationValue(const std::string& stationName) const;
  // Adds a row to the station table.
  void addStation(const std::string& name, int32_t value);
  // Empties the station table.
  void clearStations();

 signals:
  // The operator closed a shift; newShiftNumber is the shift now open.
  void shiftClosed(int newShiftNumber);

 private:
  void closeShift();
};

}  // namespace tarvel::host
