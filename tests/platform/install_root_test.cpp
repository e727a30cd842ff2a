#include "platform/install_root.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarvel::platform {
namespace {

class InstallationRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    setInstallationRootForTests(std::nullopt);
    if (const char* value = std::getenv(kInstallationRootVariable)) saved_ = value;
  }
  void TearDown() override {
    if (saved_) {
      setenv(kInstallationRootVariable, saved_->c_str(), 1);
    } else {
      unsetenv(kInstallationRootVariable);
    }
  }
  std::optional<std::string> saved_;
};

TEST_F(InstallationRoot, ComesFromTheEnvironmentVariable) {
  setenv(kInstallationRootVariable, "/srv/azs", 1);
  EXPECT_EQ(installationRoot(), "/srv/azs");
  EXPECT_EQ(windowsDirectory(), "/srv/azs/WINDOWS");
}

TEST_F(InstallationRoot, DefaultsToAPerUserFolder) {
  unsetenv(kInstallationRootVariable);
  const char* home = std::getenv("HOME");
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const std::filesystem::path expected =
      dataHome != nullptr && *dataHome != '\0'
          ? std::filesystem::path(dataHome) / "tarvel"
          : std::filesystem::path(home != nullptr ? home : "") / ".local/share/tarvel";
  EXPECT_EQ(installationRoot(), expected);
}

TEST_F(InstallationRoot, MapsWindowsPathsBelowTheRoot) {
  setInstallationRootForTests("/r");
  EXPECT_EQ(mapWindowsPath("C:\\FSYS\\Modem.LOG"), "/r/FSYS/Modem.LOG");
  EXPECT_EQ(mapWindowsPath("c:/FSYS/OFFICEDB/OFFICE.FDB"), "/r/FSYS/OFFICEDB/OFFICE.FDB");
  EXPECT_EQ(mapWindowsPath("D:\\"), "/r");
  EXPECT_EQ(mapWindowsPath("FSYS\\\\x.txt"), "/r/FSYS/x.txt");
  EXPECT_EQ(mapWindowsPath("C:\\A\\.\\B"), "/r/A/B");
}

}  // namespace
}  // namespace tarvel::platform
