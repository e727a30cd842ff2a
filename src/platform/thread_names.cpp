#include "platform/thread_names.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace tarvel::platform {

bool threadNamedRuns(std::string_view name) {
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::ifstream comm(task.path() / "comm");
    std::string listed;
    std::getline(comm, listed);
    if (listed == name) return true;
  }
  return false;
}

}  // namespace tarvel::platform
