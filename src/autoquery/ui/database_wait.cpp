#include "autoquery/ui/database_wait.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>
#include <mutex>

namespace tarvel::autoquery {

// What the database's thread reaches: the dispatcher of the waiting thread while a wait runs.
// Waking it under the mutex, and clearing it under the mutex before the wait ends, means a wake
// never reaches a wait that is over.
struct DatabaseWait::Shared {
  std::mutex mutex;
  QAbstractEventDispatcher* dispatcher = nullptr;

  void wake() {
    const std::lock_guard lock(mutex);
    if (dispatcher != nullptr) dispatcher->wakeUp();
  }
  void runs(QAbstractEventDispatcher* running) {
    const std::lock_guard lock(mutex);
    dispatcher = running;
  }
};

DatabaseWait::DatabaseWait() : shared_(std::make_shared<Shared>()) {}

DatabaseWait::~DatabaseWait() { shared_->runs(nullptr); }

std::function<void()> DatabaseWait::waker() const {
  return [shared = shared_] { shared->wake(); };
}

DatabaseWait::Outcome DatabaseWait::wait(const std::function<bool()>& answered,
                                         std::chrono::milliseconds bound) {
  // The events are taken from the thread's dispatcher itself rather than through a QEventLoop:
  // once the application has been asked to quit, every event loop returns at once without
  // handling anything, and the wait would spin without end. The bound is kept by the steady
  // clock; the timer only wakes the dispatcher when it passes.
  QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher();
  const QDeadlineTimer deadline(bound, Qt::PreciseTimer);
  QTimer alarm;
  alarm.setSingleShot(true);
  alarm.setTimerType(Qt::PreciseTimer);
  alarm.start(bound);
  cancelled_ = false;
  shared_->runs(dispatcher);
  // A wake that came before the wait ran is not lost: the answer is looked at first.
  while (!cancelled_ && !answered() && !deadline.hasExpired()) {
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
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
