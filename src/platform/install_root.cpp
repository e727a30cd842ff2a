#include "platform/install_root.h"

#include <cstdlib>

namespace tarvel::platform {
namespace {

std::optional<std::filesystem::path>& rootOverride() {
  static std::optional<std::filesystem::path> root;
  return root;
}

std::filesystem::path fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::filesystem::path installationRoot() {
  if (rootOverride()) return *rootOverride();
  if (auto root = fromEnvironment(kInstallationRootVariable); !root.empty()) return root;
  if (auto dataHome = fromEnvironment("XDG_DATA_HOME"); !dataHome.empty()) {
    return dataHome / "tarvel";
  }
  return fromEnvironment("HOME") / ".local" / "share" / "tarvel";
}

std::filesystem::path windowsDirectory() { return installationRoot() / "WINDOWS"; }

std::filesystem::path mapWindowsPath(std::string_view windowsPath) {
  std::string_view rest = windowsPath;
  // A drive prefix "X:" names the root itself.
  if (rest.size() >= 2 && rest[1] == ':') rest.remove_prefix(2);
  std::filesystem::path mapped = installationRoot();
  while (!rest.empty()) {
    const auto separator = rest.find_first_of("\\/");
    const std::string_view component = rest.substr(0, separator);
    if (!component.empty() && component != ".") mapped /= std::string(component);
    if (separator == std::string_view::npos) break;
    rest.remove_prefix(separator + 1);
  }
  return mapped;
}

void setInstallationRootForTests(std::optional<std::filesystem::path> root) {
  rootOverride() = std::move(root);
}

}  // namespace tarvel::platform
