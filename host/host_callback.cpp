#include "host/host_callback.h"

#include <QSpinBox>
#include <stdexcept>

#include "host/host_control_panel.h"
#include "host/host_texts.h"
#include "host/menu_item.h"
#include "host/message_pane.h"
#include "platform/cp1251.h"

namespace tarvel::host {

ReferenceHostCallback::ReferenceHostCallback(HostControlPanel& controls, MessagePane& messages,
                                             QtMenuItem& mainMenu)
    : controls_(controls), messages_(messages), mainMenu_(mainMenu) {}

int32_t ReferenceHostCallback::GetVersion() { return controls_.callbackVersion->value(); }

std::string ReferenceHostCallback::GetStationName() { return controls_.stationNameText(); }

void ReferenceHostCallback::ReportMessage(int32_t kind, const std::string& text) {
  messages_.addReport(kind, text);
}

HostMenuItem* ReferenceHostCallback::GetMainMenu() { return &mainMenu_; }

HostMenuItem* ReferenceHostCallback::NewMenuItem(HostMenuItem* parent, int32_t position) {
  auto* hostItem = dynamic_cast<QtMenuItem*>(parent);
  if (hostItem == nullptr) throw std::invalid_argument("NewMenuItem: not a menu item of the host");
  return hostItem->insertChild(position);
}

HostVariant ReferenceHostCallback::Command(int32_t code, int32_t /*argument*/) {
  switch (code) {
    case HostCommand::ShiftNumber:
      return HostVariant::fromInteger(controls_.shiftNumber->value());
    case HostCommand::InstallationKind:
      return HostVariant::fromInteger(controls_.installationKind->value());
    case HostCommand::DatabaseConnection:
      return HostVariant::fromText(controls_.databaseConnectionText());
    default:
      return HostVariant::empty();
  }
}

void ReferenceHostCallback::StartExchange(const std::string& stationName, int32_t connectionType,
                                          HostVariant parameter) {
  messages_.addLine(platform::toUnicode(std::string(text::kExchangeStarted) + stationName +
                                        text::kConnectionType + std::to_string(connectionType) +
                                        text::kParameter + describeVariant(parameter)));
}

const void* ReferenceHostCallback::FindStation(const std::string& stationName) {
  const auto value = controls_.findStationValue(stationName);
  if (!value) return nullptr;
  HostStationRecord& record = stationRecords_[stationName];
  record.exchangeValue = *value;
  return &record;
}

std::string describeVariant(const HostVariant& value) {
  switch (value.kind) {
    case HostVariant::Kind::Empty:
      return "Empty";
    case HostVariant::Kind::Null:
      return "Null";
    case HostVariant::Kind::Integer:
      return std::to_string(value.integer);
    case HostVariant::Kind::Text:
      return "\"" + value.text + "\"";
  }
  return "?";
}

}  // namespace tarvel::host
