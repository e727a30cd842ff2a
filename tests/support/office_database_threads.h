// Whether the office database's thread still runs in this process, seen by its name in /proc,
// so that tests can wait for a given-up call to end without holding its handle.
#pragma once

#include "autoquery/database/office_database_thread.h"
#include "platform/thread_names.h"

namespace tarvel::testing {

inline bool officeDatabaseThreadRuns() {
  return platform::threadNamedRuns(autoquery::kOfficeDatabaseThreadName);
}

}  // namespace tarvel::testing
