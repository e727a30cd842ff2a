#include "host/host_control_panel.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

#include "host/host_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "settings/installation_kind.h"

namespace tarvel::host {
namespace {

constexpr int32_t kOfficeMode = 1;
constexpr int32_t kDefaultCallbackVersion = 7;
constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;

QSpinBox* makeSpinBox(const char* name, int minimum, int maximum, int value, QWidget* parent) {
  auto* spinBox = new QSpinBox(parent);
  spinBox->setObjectName(name);
  spinBox->setRange(minimum, maximum);
  spinBox->setValue(value);
  return spinBox;
}

QLineEdit* makeLineEdit(const char* name, const char* cp1251Text, QWidget* parent) {
  auto* edit = new QLineEdit(platform::toUnicode(cp1251Text), parent);
  edit->setObjectName(name);
  return edit;
}

QString label(const char* cp1251Text) { return platform::toUnicode(cp1251Text); }

}  // namespace

HostControlPanel::HostControlPanel(uint8_t mode, QWidget* parent) : QWidget(parent) {
  setObjectName("hostControlPanel");
  constexpr int kLargest = std::numeric_limits<int32_t>::max();
  constexpr int kSmallest = std::numeric_limits<int32_t>::min();
  installationKind =
      makeSpinBox("installationKind", kSmallest, kLargest,
                  mode == kOfficeMode ? settings::InstallationKind::OfficeWithAutoQuery
                                      : settings::InstallationKind::RenamableStation,
                  this);
  shiftNumber = makeSpinBox("shiftNumber", 0, kLargest, 1, this);
  closeShiftButton = new QPushButton(label(text::kCloseShift), this);
  closeShiftButton->setObjectName("closeShiftButton");
  callbackVersion = makeSpinBox("callbackVersion", 0, kLargest, kDefaultCallbackVersion, this);
  databaseConnection = makeLineEdit("databaseConnection", text::kDefaultDatabaseConnection, this);
  databaseConnection->setMinimumWidth(
      databaseConnection->fontMetrics().horizontalAdvance(databaseConnection->text()) + 16);
  stationName = makeLineEdit("stationName", text::kDemoStation1, this);

  stationTable = new QTableWidget(0, 2, this);
  stationTable->setObjectName("stationTable");
  stationTable->setHorizontalHeaderLabels({label(text::kStationColumn), label(text::kValueColumn)});
  stationTable->horizontalHeader()->setStretchLastSection(true);
  stationTable->verticalHeader()->setVisible(false);
  addStation(text::kDemoStation1, 101);
  addStation(text::kDemoStation2, 102);

  auto* form = new QFormLayout;
  form->addRow(label(text::kInstallationKind), installationKind);
  form->addRow(label(text::kShiftNumber), shiftNumber);
  form->addRow(QString(), closeShiftButton);
  form->addRow(label(text::kCallbackVersion), callbackVersion);
  form->addRow(label(text::kDatabaseConnection), databaseConnection);
  form->addRow(label(text::kStationName), stationName);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel(label(text::kStationTable), this));
  layout->addWidget(stationTable);

  connect(closeShiftButton, &QPushButton::clicked, this,
          platform::guardedHandler([this](bool) { closeShift(); }));
}

std::string HostControlPanel::stationNameText() const {
  return platform::fromUnicode(stationName->text());
}

std::string HostControlPanel::databaseConnectionText() const {
  return platform::fromUnicode(databaseConnection->text());
}

std::optional<int32_t> HostControlPanel::findStationValue(const std::string& name) const {
  for (int row = 0; row < stationTable->rowCount(); ++row) {
    const QTableWidgetItem* nameItem = stationTable->item(row, kNameColumn);
    const QTableWidgetItem* valueItem = stationTable->item(row, kValueColumn);
    if (nameItem == nullptr) continue;
    if (!platform::equalsIgnoringCase(platform::fromUnicode(nameItem->text()), name)) continue;
    bool isNumber = false;
    const int value = valueItem != nullptr ? valueItem->text().trimmed().toInt(&isNumber) : 0;
    return isNumber ? value : 0;
  }
  return std::nullopt;
}

void HostControlPanel::addStation(const std::string& name, int32_t value) {
  const int row = stationTable->rowCount();
  stationTable->insertRow(row);
  stationTable->setItem(row, kNameColumn, new QTableWidgetItem(platform::toUnicode(name)));
  stationTable->setItem(row, kValueColumn, new QTableWidgetItem(QString::number(value)));
}

void HostControlPanel::clearStations() { stationTable->setRowCount(0); }

void HostControlPanel::closeShift() {
  shiftNumber->setValue(shiftNumber->value() + 1);
  emit shiftClosed(shiftNumber->value());
}

}  // namespace tarvel::host
