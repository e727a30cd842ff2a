// Threads of this process by the name the system lists them under (Linux: /proc/self/task).
#pragma once

#include <string_view>

namespace tarvel::platform {

// Whether a thread of this process is named `name` (at most 15 characters, as the system keeps
// them). False when the list cannot be read.
bool threadNamedRuns(std::string_view name);

}  // namespace tarvel::platform
