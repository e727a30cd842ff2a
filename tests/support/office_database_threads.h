// Whether the office database's thread still runs in this process, seen by its name in /proc,
// so that tests can wait for a given-up call to end without holding its handle.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "autoquery/database/office_database_thread.h"

namespace tarvel::testing {

inline bool officeDatabaseThreadRuns() {
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name == autoquery::kOfficeDatabaseThreadName) return true;
  }
  return false;
}

}  // namespace tarvel::testing
