// A fresh installation root in a temporary folder for one test: ROOT/WINDOWS and ROOT/FSYS
// exist, the platform layer's root and $TARVEL_ROOT point at it, and everything is removed
// afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvel::testing {

class TemporaryInstallation {
 public:
  TemporaryInstallation();
  ~TemporaryInstallation();
  TemporaryInstallation(const TemporaryInstallation&) = delete;
  TemporaryInstallation& operator=(const TemporaryInstallation&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path settingsFile() const { return root_ / "WINDOWS" / "cnf.INI"; }

  // Whole-file access for byte-exact assertions; a missing file reads as "".
  static std::string readFile(const std::filesystem::path& path);
  static void writeFile(const std::filesystem::path& path, const std::string& bytes);
  std::string settingsText() const { return readFile(settingsFile()); }
  void writeSettings(const std::string& bytes) const { writeFile(settingsFile(), bytes); }

 private:
  std::filesystem::path root_;
  std::optional<std::string> previousRootVariable_;
};

}  // namespace tarvel::testing
