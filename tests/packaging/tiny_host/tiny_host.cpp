// The smallest host a host author could write against the installed tarvel-dev: it opens the
// plug-in at the path the package names (TARVEL_PLUGIN), hands Load a call-back with a plain
// menu tree, and checks what came back. Exits 0 when every check held.
#include <dlfcn.h>

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tarvel/contract.h"

#ifndef TARVEL_PLUGIN
#error "TARVEL_PLUGIN must name the installed plug-in"
#endif

namespace {

class TinyMenuItem final : public tarvel::HostMenuItem {
 public:
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  void setHint(const std::string&) override {}
  void setHelpContext(int32_t) override {}
  void setShortCut(int32_t) override {}
  void setOnClick(ClickHandler handler) override { onClick_ = std::move(handler); }
  int32_t count() const override { return static_cast<int32_t>(children_.size()); }
  tarvel::HostMenuItem* item(int32_t index) const override { return children_.at(index).get(); }

  TinyMenuItem* addChild() { return children_.emplace_back(new TinyMenuItem).get(); }
  // Items below this one, itself excluded, that still have a click handler.
  int countClickable() const {
    int clickable = 0;
    for (const auto& child : children_)
      clickable += (child->onClick_ ? 1 : 0) + child->countClickable();
    return clickable;
  }

 private:
  std::string caption_;
  ClickHandler onClick_;
  std::vector<std::unique_ptr<TinyMenuItem>> children_;
};

class TinyHost final : public tarvel::HostCallback {
 public:
  TinyMenuItem mainMenu;
  int missingLibraryMessages = 0;

  int32_t GetVersion() override { return 7; }
  std::string GetStationName() override { return "Tiny"; }
  // The texts are Windows-1251; only their kind matters here.
  void ReportMessage(int32_t kind, const std::string&) override {
    std::printf("message of kind %d\n", kind);
    if (kind == tarvel::MessageKind::MissingLibrary) ++missingLibraryMessages;
  }
  tarvel::HostMenuItem* GetMainMenu() override { return &mainMenu; }
  tarvel::HostMenuItem* NewMenuItem(tarvel::HostMenuItem* parent, int32_t) override {
    return static_cast<TinyMenuItem*>(parent)->addChild();
  }
  tarvel::HostVariant Command(int32_t, int32_t) override { return tarvel::HostVariant::empty(); }
  void StartExchange(const std::string&, int32_t, tarvel::HostVariant) override {}
  const void* FindStation(const std::string&) override { return nullptr; }
};

int failures = 0;

void check(bool holds, const char* what) {
  std::printf("%s: %s\n", holds ? "ok" : "FAILED", what);
  if (!holds) ++failures;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  std::printf("plug-in: %s\n", TARVEL_PLUGIN);
  void* plugin = dlopen(TARVEL_PLUGIN, RTLD_NOW | RTLD_LOCAL);
  if (plugin == nullptr) {
    std::printf("FAILED: dlopen: %s\n", dlerror());
    return 1;
  }
  const auto load = reinterpret_cast<decltype(&Load)>(dlsym(plugin, "Load"));
  const auto unLoad = reinterpret_cast<decltype(&UnLoad)>(dlsym(plugin, "UnLoad"));
  const auto autoSend = reinterpret_cast<decltype(&::getAutoSend)>(dlsym(plugin, "getAutoSend"));
  if (load == nullptr || unLoad == nullptr || autoSend == nullptr) {
    std::printf("FAILED: the plug-in lacks Load, UnLoad or getAutoSend\n");
    return 1;
  }

  TinyHost host;
  constexpr uint8_t kStation = 0;
  check(load(0, kStation, &host) == 0, "Load returns 0");
  check(host.mainMenu.count() == 1 && !host.mainMenu.item(0)->caption().empty(),
        "Load adds one captioned top-level menu");
  check(host.mainMenu.countClickable() > 0, "the plug-in's commands have click handlers");
  // Beside this host there are no sibling libraries, and the system has none either.
  check(host.missingLibraryMessages == 5, "the five missing siblings are reported as such");
  check(autoSend() == 0, "automatic sending is off in a fresh installation");
  check(unLoad() == 0, "UnLoad returns 0");
  check(host.mainMenu.countClickable() == 0, "UnLoad leaves no click handler in the host's menu");
  dlclose(plugin);
  return failures == 0 ? 0 : 1;
}
