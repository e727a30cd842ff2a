// Opening the plug-in module: the required exports are checked before anything is called.
#include "host/plugin_library.h"

#include <gtest/gtest.h>

namespace {

TEST(PluginLibrary, RefusesAMissingFileAndAModuleWithoutLoad) {
  tarvel::host::PluginLibrary plugin;
  std::string error;
  EXPECT_FALSE(plugin.open("/nonexistent/libtarvel.so", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(plugin.isOpen());

  error.clear();
  EXPECT_FALSE(plugin.open("libm.so.6", error));
  EXPECT_NE(error.find("Load"), std::string::npos) << error;
  EXPECT_FALSE(plugin.isOpen());
}

TEST(PluginLibrary, CallsOnAClosedModuleAreErrorsNotCrashes) {
  tarvel::host::PluginLibrary plugin;
  std::string error;
  EXPECT_EQ(plugin.load(0, 0, nullptr, error), 1);
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_EQ(plugin.unload(error), 1);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(plugin.autoSend(), 0);
}

}  // namespace
