// Whether an office database thread still runs in this process, given-up ones included, so that
// tests can wait for a given-up call to end without holding its handle.
#pragma once

#include "autoquery/database/office_database_thread.h"

namespace tarvel::testing {

inline bool officeDatabaseThreadRuns() {
  return autoquery::OfficeDatabaseThread::threadsRunning() > 0;
}

}  // namespace tarvel::testing
