#include "support/temporary_installation.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/install_root.h"

namespace tarvel::testing {

TemporaryInstallation::TemporaryInstallation() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directories(root_ / "WINDOWS");
  std::filesystem::create_directories(root_ / "FSYS");
  // The stand-in siblings have a platform layer of their own and see only the environment.
  if (const char* previous = std::getenv(platform::kInstallationRootVariable)) {
    previousRootVariable_ = previous;
  }
  setenv(platform::kInstallationRootVariable, root_.c_str(), 1);
  platform::setInstallationRootForTests(root_);
}

TemporaryInstallation::~TemporaryInstallation() {
  platform::setInstallationRootForTests(std::nullopt);
  if (previousRootVariable_) {
    setenv(platform::kInstallationRootVariable, previousRootVariable_->c_str(), 1);
  } else {
    unsetenv(platform::kInstallationRootVariable);
  }
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

std::string TemporaryInstallation::readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void TemporaryInstallation::writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace tarvel::testing
