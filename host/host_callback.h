// The call-back object the reference host hands to the plug-in's Load. Its answers come from the
// host's controls at the moment of each call; what the plug-in tells the host goes to the
// message pane.
#pragma once

#include <map>
#include <string>

#include "tarvel/contract.h"

namespace tarvel::host {

class HostControlPanel;
class MessagePane;
class QtMenuItem;

class ReferenceHostCallback final : public HostCallback {
 public:
  // Keeps references to all three; they must outlive the call-back.
  ReferenceHostCallback(HostControlPanel& controls, MessagePane& messages, QtMenuItem& mainMenu);

  int32_t GetVersion() override;
  std::string GetStationName() override;
  void ReportMessage(int32_t kind, const std::string& text) override;
  HostMenuItem* GetMainMenu() override;
  // parent must be an item of this host's menu; anything else is an error (thrown).
  HostMenuItem* NewMenuItem(HostMenuItem* parent, int32_t position) override;
  // 25: the shift number, 46: the installation kind (integers); 69: the database connection
  // text; any other code answers Empty.
  HostVariant Command(int32_t code, int32_t argument) override;
  // Shown in the message pane; the exchange itself is the host's business and not modelled.
  void StartExchange(const std::string& stationName, int32_t connectionType,
                     HostVariant parameter) override;
  // A record of the station table's row, with its value at offset 28; nullptr for an unknown
  // station. The record stays valid as long as the call-back lives.
  const void* FindStation(const std::string& stationName) override;

 private:
  HostControlPanel& controls_;
  MessagePane& messages_;
  QtMenuItem& mainMenu_;
  // One record per station asked for, by name as asked; map nodes never move.
  std::map<std::string, HostStationRecord> stationRecords_;
};

// How the message pane shows a variant: "Empty", "Null", the integer, or the text in quotes.
std::string describeVariant(const HostVariant& value);

}  // namespace tarvel::host
