// Waiting on the user-interface thread for the office database's thread: a loop over the
// thread's events that ends when the answer is there, when the bound passes or when the window
// gives the wait up, and meanwhile handles the host's events (repaints, the poll timer's ticks,
// clicks). The bound holds also once the application has been asked to quit.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tarvel::autoquery {

class DatabaseWait {
 public:
  enum class Outcome { Answered, TimedOut, Cancelled };

  DatabaseWait();
  ~DatabaseWait();
  DatabaseWait(const DatabaseWait&) = delete;
  DatabaseWait& operator=(const DatabaseWait&) = delete;

  // For the database's thread to call when its answer is ready: wakes the wait. Harmless after
  // the wait has ended or the DatabaseWait is gone.
  std::function<void()> waker() const;

  // Handles events until answered() holds (checked at every wake), cancel() is called or the
  // bound has passed. A cancel wins over an answer that came too late to matter.
  Outcome wait(const std::function<bool()>& answered, std::chrono::milliseconds bound);

  // Ends a wait in progress from a handler that ran inside it (the window closed meanwhile).
  void cancel();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  bool cancelled_ = false;
};

}  // namespace tarvel::autoquery
