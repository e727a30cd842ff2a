#include "support/fake_host.h"

#include <stdexcept>

namespace tarvel::testing {

FakeMenuItem* FakeMenuItem::addChild(std::string caption) {
  children_.push_back(std::make_unique<FakeMenuItem>(std::move(caption)));
  return children_.back().get();
}

FakeMenuItem* FakeMenuItem::findChild(const std::string& caption) const {
  for (const auto& child : children_) {
    if (child->caption_ == caption) return child.get();
  }
  return nullptr;
}

bool FakeMenuItem::click() {
  if (!onClick_) return false;
  onClick_();
  return true;
}

int32_t FakeHost::GetVersion() {
  calls.push_back("GetVersion()");
  return version;
}

std::string FakeHost::GetStationName() {
  calls.push_back("GetStationName()");
  return stationName;
}

void FakeHost::ReportMessage(int32_t kind, const std::string& text) {
  calls.push_back("ReportMessage(" + std::to_string(kind) + "," + text + ")");
  messages.push_back({kind, text});
}

HostMenuItem* FakeHost::GetMainMenu() {
  calls.push_back("GetMainMenu()");
  return noMainMenu ? nullptr : &mainMenu;
}

HostMenuItem* FakeHost::NewMenuItem(HostMenuItem* parent, int32_t position) {
  calls.push_back("NewMenuItem(" + std::to_string(position) + ")");
  if (newMenuItemsBeforeFailure == 0) throw std::runtime_error("menu is full");
  if (newMenuItemsBeforeFailure > 0) --newMenuItemsBeforeFailure;
  if (newMenuItemsBeforeNull == 0) return nullptr;
  if (newMenuItemsBeforeNull > 0) --newMenuItemsBeforeNull;
  auto* fakeParent = dynamic_cast<FakeMenuItem*>(parent);
  if (fakeParent == nullptr) throw std::invalid_argument("not a menu item of this host");
  return fakeParent->addChild({});
}

HostVariant FakeHost::Command(int32_t code, int32_t argument) {
  calls.push_back("Command(" + std::to_string(code) + "," + std::to_string(argument) + ")");
  const auto answer = commandAnswers.find(code);
  return answer != commandAnswers.end() ? answer->second : HostVariant::empty();
}

void FakeHost::StartExchange(const std::string& station, int32_t connectionType,
                             HostVariant parameter) {
  calls.push_back("StartExchange(" + station + "," + std::to_string(connectionType) + "," +
                  (parameter.kind == HostVariant::Kind::Null ? "Null" : "not Null") + ")");
}

const void* FakeHost::FindStation(const std::string& station) {
  calls.push_back("FindStation(" + station + ")");
  const auto found = stations.find(station);
  return found != stations.end() ? &found->second : nullptr;
}

std::vector<std::string> FakeHost::messageTexts(int32_t kind) const {
  std::vector<std::string> texts;
  for (const Message& message : messages) {
    if (message.kind == kind) texts.push_back(message.text);
  }
  return texts;
}

}  // namespace tarvel::testing
