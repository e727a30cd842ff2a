// The installation root: where the Windows paths the system names live on this machine.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tarvel::platform {

// The environment variable that names the installation root.
inline constexpr const char* kInstallationRootVariable = "TARVEL_ROOT";

// The root folder: $TARVEL_ROOT when set and not empty, otherwise the per-user default
// $XDG_DATA_HOME/tarvel (~/.local/share/tarvel when XDG_DATA_HOME is not set).
std::filesystem::path installationRoot();

// The Windows directory, where cnf.INI lies: ROOT/WINDOWS.
std::filesystem::path windowsDirectory();

// Maps a Windows path onto the root: "C:\A\B" (any drive letter, either slash) becomes
// ROOT/A/B. A relative path is taken below the root as well. Components keep their spelling.
std::filesystem::path mapWindowsPath(std::string_view windowsPath);

// Test seam: a root that wins over the environment; std::nullopt restores the normal lookup.
void setInstallationRootForTests(std::optional<std::filesystem::path> root);

}  // namespace tarvel::platform
