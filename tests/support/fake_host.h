// A host for tests: answers the call-back from fields the test sets and records every call,
// one line each, in the order they came.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tarvel/contract.h"

namespace tarvel::testing {

class FakeMenuItem final : public HostMenuItem {
 public:
  explicit FakeMenuItem(std::string caption = {}) : caption_(std::move(caption)) {}

  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  void setHint(const std::string& hint) override { hint_ = hint; }
  void setHelpContext(int32_t helpContext) override { helpContext_ = helpContext; }
  void setShortCut(int32_t shortCut) override { shortCut_ = shortCut; }
  void setOnClick(ClickHandler handler) override { onClick_ = std::move(handler); }
  int32_t count() const override { return static_cast<int32_t>(children_.size()); }
  HostMenuItem* item(int32_t index) const override { return children_.at(index).get(); }

  // Test helpers.
  FakeMenuItem* addChild(std::string caption);
  // A child slot that holds no item: item() answers nullptr for it.
  void addMissingChild() { children_.emplace_back(); }
  FakeMenuItem* child(int32_t index) const { return children_.at(index).get(); }
  // The first child whose caption is exactly this, or nullptr.
  FakeMenuItem* findChild(const std::string& caption) const;
  // Runs the click handler; false when the item has none.
  bool click();
  bool hasClickHandler() const { return static_cast<bool>(onClick_); }
  const std::string& hint() const { return hint_; }
  int32_t helpContext() const { return helpContext_; }
  int32_t shortCut() const { return shortCut_; }

 private:
  std::string caption_;
  std::string hint_;
  int32_t helpContext_ = 0;
  int32_t shortCut_ = 0;
  ClickHandler onClick_;
  std::vector<std::unique_ptr<FakeMenuItem>> children_;
};

class FakeHost final : public HostCallback {
 public:
  // Answers the test sets.
  int32_t version = 7;
  std::string stationName = "\xc0\xc7\xd1 1";     // "АЗС 1"
  std::map<int32_t, HostVariant> commandAnswers;  // Command(code, 0); absent codes answer Empty
  std::map<std::string, HostStationRecord> stations;
  FakeMenuItem mainMenu{"root"};
  // When not negative: NewMenuItem succeeds this many more times, then throws.
  int32_t newMenuItemsBeforeFailure = -1;
  // When not negative: NewMenuItem succeeds this many more times, then answers nullptr.
  int32_t newMenuItemsBeforeNull = -1;
  // GetMainMenu answers nullptr.
  bool noMainMenu = false;

  struct Message {
    int32_t kind;
    std::string text;
    bool operator==(const Message&) const = default;
  };
  std::vector<Message> messages;
  // The texts of the messages of one kind, in order.
  std::vector<std::string> messageTexts(int32_t kind) const;
  // Every call as "Name(arguments)", in order.
  std::vector<std::string> calls;

  int32_t GetVersion() override;
  std::string GetStationName() override;
  void ReportMessage(int32_t kind, const std::string& text) override;
  HostMenuItem* GetMainMenu() override;
  HostMenuItem* NewMenuItem(HostMenuItem* parent, int32_t position) override;
  HostVariant Command(int32_t code, int32_t argument) override;
  void StartExchange(const std::string& station, int32_t connectionType,
                     HostVariant parameter) override;
  const void* FindStation(const std::string& station) override;
};

}  // namespace tarvel::testing
