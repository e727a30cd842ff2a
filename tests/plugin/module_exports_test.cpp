// The built plug-in loaded as a host loads it: by path, its four exports bound by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/library_loader.h"
#include "support/fake_host.h"
#include "support/temporary_installation.h"
#include "tarvel/contract.h"

namespace tarvel::testing {
namespace {

TEST(PluginModule, ExportsItsFourEntriesToAHostThatLoadsItByPath) {
  TemporaryInstallation installation;
  const auto path = platform::programFolder() / "libtarvel.so";
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  const auto load = reinterpret_cast<decltype(&::Load)>(dlsym(module, "Load"));
  const auto unload = reinterpret_cast<decltype(&::UnLoad)>(dlsym(module, "UnLoad"));
  const auto getAutoSend = reinterpret_cast<decltype(&::getAutoSend)>(dlsym(module, "getAutoSend"));
  ASSERT_NE(load, nullptr);
  ASSERT_NE(unload, nullptr);
  ASSERT_NE(getAutoSend, nullptr);
  EXPECT_NE(dlsym(module, "AddMenus"), nullptr);

  FakeHost host;
  EXPECT_EQ(getAutoSend(), 0);
  installation.writeSettings("[Inet]\r\nAutoSendEnable=1\r\n");
  EXPECT_EQ(load(0, 0, &host), 0);
  EXPECT_EQ(getAutoSend(), -1);
  EXPECT_EQ(host.mainMenu.count(), 1);
  EXPECT_EQ(unload(), 0);
  EXPECT_EQ(getAutoSend(), 0);
  // After UnLoad no menu item holds a handler into the module, so it can go.
  EXPECT_FALSE(host.mainMenu.child(0)->child(0)->child(0)->hasClickHandler());
  EXPECT_EQ(dlclose(module), 0);
}

}  // namespace
}  // namespace tarvel::testing
