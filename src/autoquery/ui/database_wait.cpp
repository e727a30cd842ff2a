#include "autoquery/ui/database_wait.h"

#include <QEventLoop>
#include <QTimer>
#include <mutex>

namespace tarvel::autoquery {

// What the database's thread reaches: the loop that runs now, if any. Posting to it under the
// mutex, and clearing it under the mutex before the loop goes, means a wake never reaches a loop
// that is gone; an event posted to it and not yet handled goes with it.
struct DatabaseWait::Shared {
  std::mutex mutex;
  QEventLoop* loop = nullptr;

  void wake() {
    const std::lock_guard lock(mutex);
    if (loop != nullptr) QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
  }
  void runs(QEventLoop* running) {
    const std::lock_guard lock(mutex);
    loop = running;
  }
};

DatabaseWait::DatabaseWait() : shared_(std::make_shared<Shared>()) {}

DatabaseWait::~DatabaseWait() { shared_->runs(nullptr); }

std::function<void()> DatabaseWait::waker() const {
  return [shared = shared_] { shared->wake(); };
}

DatabaseWait::Outcome DatabaseWait::wait(const std::function<bool()>& answered,
                                         std::chrono::milliseconds bound) {
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  cancelled_ = false;
  shared_->runs(&loop);
  deadline.start(bound);
  // A wake that came before the loop ran is not lost: the answer is looked at first.
  while (!cancelled_ && !answered() && deadline.isActive()) {
    loop.exec();
  }
  shared_->runs(nullptr);
  if (cancelled_) return Outcome::Cancelled;
  return answered() ? Outcome::Answered : Outcome::TimedOut;
}

void DatabaseWait::cancel() {
  cancelled_ = true;
  shared_->wake();
}

}  // namespace tarvel::autoquery
