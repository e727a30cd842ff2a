// The errors of profile files as the operator sees them: a Russian text, the file's name and,
// where the system gave one, its reason.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tarvel::platform {

// text (Windows-1251) + the path + " (" + the system's description of error + ")"; error 0 adds
// no reason.
std::runtime_error profileFailure(const char* text, const std::filesystem::path& path,
                                  int error = 0);

}  // namespace tarvel::platform
