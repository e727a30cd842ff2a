#include "autoquery/database/office_database_thread.h"

#include <pthread.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "autoquery/database/firebird_session.h"
#include "autoquery/database/module_reference.h"
#include "autoquery/database/office_database.h"

namespace tarvel::autoquery {

struct OfficeDatabaseThread::Worker {
  using Job = std::function<void(OfficeDatabase&)>;

  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable endedSignal;
  std::deque<Job> jobs;
  bool running = false;  // a job is being run
  bool ending = false;   // no more jobs: close the connection and end
  bool ended = false;
  ModuleReference module;   // taken before the thread starts, let go after it was joined
  OfficeDatabase database;  // used by the thread alone, but for abort()
  std::thread thread;

  // The thread: runs the jobs in order on its own connection, then closes it.
  static void run(std::shared_ptr<Worker> self) {
    pthread_setname_np(pthread_self(), kOfficeDatabaseThreadName);
    OfficeDatabase& database = self->database;
    std::unique_lock lock(self->mutex);
    for (;;) {
      self->wake.wait(lock, [&] { return !self->jobs.empty() || self->ending; });
      if (self->jobs.empty()) break;
      Job job = std::move(self->jobs.front());
      self->jobs.pop_front();
      self->running = true;
      lock.unlock();
      job(database);
      lock.lock();
      self->running = false;
    }
    lock.unlock();
    try {
      database.disconnect();
    } catch (...) {
      // Nobody waits for this connection any more; it goes with its handles.
    }
    lock.lock();
    self->ended = true;
    self->endedSignal.notify_all();
  }

  void post(Job job) {
    const std::lock_guard lock(mutex);
    jobs.push_back(std::move(job));
    wake.notify_one();
  }

  // Ends the thread after the job in flight; queued jobs are dropped (nobody waits for them).
  void end() {
    const std::lock_guard lock(mutex);
    jobs.clear();
    ending = true;
    wake.notify_one();
  }

  bool hasEnded() {
    const std::lock_guard lock(mutex);
    return ended;
  }

  // No call in flight: what is left to do is closing the connection, if any.
  bool idle() {
    const std::lock_guard lock(mutex);
    return ended || !running;
  }

  // Waits until the thread has ended, or the deadline has passed; true when it ended.
  bool waitEnded(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex);
    return endedSignal.wait_until(lock, deadline, [this] { return ended; });
  }
};

OfficeDatabaseThread::OfficeDatabaseThread() = default;

OfficeDatabaseThread::~OfficeDatabaseThread() {
  // Every thread closes its connection now and is joined: left to itself, its closing could
  // run (and let the client unload the engine) while the process exits, and the client's own
  // exit waits for a call in flight. A call stuck at a silent server has its connection closed
  // under it (see abandon), so it ends too, and so does a connection still being made. Waited
  // for at most kClosingBound in all; what is still running then (an attach that the server took
  // and never answers) is left to finish on its own within the client's connect timeout.
  abandon();
  const auto deadline = std::chrono::steady_clock::now() + kClosingBound;
  for (const std::shared_ptr<Worker>& worker : abandoned_) {
    if (worker->waitEnded(deadline)) {
      worker->thread.join();
    } else {
      // The thread may run our code long after the host has unloaded the plug-in, so the
      // module stays until the process ends.
      worker->module.keepForever();
      worker->thread.detach();
    }
  }
}

OfficeDatabaseThread::Worker& OfficeDatabaseThread::worker() {
  joinEnded();
  if (!current_) {
    // The client's first use may set the engine's lock folder in the environment, which only
    // the user-interface thread may change safely.
    firebirdMaster();
    current_ = std::make_shared<Worker>();
    current_->thread = std::thread(&Worker::run, current_);
  }
  return *current_;
}

void OfficeDatabaseThread::joinEnded() {
  std::erase_if(abandoned_, [](const std::shared_ptr<Worker>& worker) {
    if (!worker->hasEnded()) return false;
    worker->thread.join();
    return true;
  });
}

std::future<StationNames> OfficeDatabaseThread::readStationNames(const std::string& databaseName,
                                                                 std::function<void()> finished) {
  auto answer = std::make_shared<std::promise<StationNames>>();
  std::future<StationNames> future = answer->get_future();
  worker().post([answer, databaseName, finished = std::move(finished),
                 afterConnect = afterConnect_](OfficeDatabase& database) {
    StationNames names;
    try {
      database.connect(databaseName);
      if (afterConnect) afterConnect();
      database.startTransaction();
      database.forEachStationName(
          [&](const std::string& AZSNAME) { names.AZSNAMEs.push_back(AZSNAME); });
    } catch (...) {
      names.failure = std::current_exception();
    }
    answer->set_value(std::move(names));
    if (finished) finished();
  });
  return future;
}

std::future<void> OfficeDatabaseThread::close(std::function<void()> finished) {
  auto answer = std::make_shared<std::promise<void>>();
  std::future<void> future = answer->get_future();
  if (!current_) {
    // Never opened, or given up: there is nothing to close.
    answer->set_value();
    return future;
  }
  worker().post([answer, finished = std::move(finished)](OfficeDatabase& database) {
    try {
      database.disconnect();
      answer->set_value();
    } catch (...) {
      answer->set_exception(std::current_exception());
    }
    if (finished) finished();
  });
  return future;
}

void OfficeDatabaseThread::abandon() {
  if (!current_) return;
  // A call still in flight waits for a server that did not answer within its bound: its
  // connection is closed under it, so that it fails now instead of whenever the server wakes.
  if (!current_->idle()) current_->database.abort();
  current_->end();
  abandoned_.push_back(std::move(current_));
  current_.reset();
}

}  // namespace tarvel::autoquery
