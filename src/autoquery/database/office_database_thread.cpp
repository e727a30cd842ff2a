#include "autoquery/database/office_database_thread.h"

#include <pthread.h>

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "autoquery/database/firebird_session.h"
#include "autoquery/database/module_reference.h"
#include "autoquery/database/office_database.h"
#include "autoquery/database/office_database_error.h"
#include "autoquery/database/office_database_texts.h"

namespace tarvel::autoquery {
namespace {
std::atomic<std::size_t> databaseThreadsRunning{0};
}  // namespace

struct OfficeDatabaseThread::Call {
  // On the database's thread: makes the call and returns what hands its answer over.
  std::function<std::function<void()>(OfficeDatabase&)> run;
  // On the asking thread, when the bound passes before the answer.
  std::function<void()> givenUp;
  QPointer<QObject> context;
  // Set on the database's thread once the answer is on its way.
  std::atomic<bool> answered{false};
  // The rest belongs to the asking thread.
  bool settled = false;
  QTimer* bound = nullptr;
};

// What the database's threads reach of the asking thread: the object its answers are posted to,
// while there is one. Posting under the mutex, and clearing it under the mutex before the object
// goes, means no answer is ever posted to an object that is gone.
struct OfficeDatabaseThread::Mailbox {
  std::mutex mutex;
  OfficeDatabaseThread* owner = nullptr;
  QObject* receiver = nullptr;

  void post(const std::shared_ptr<Call>& call, std::function<void()> delivery) {
    const std::lock_guard lock(mutex);
    if (receiver == nullptr) return;
    QMetaObject::invokeMethod(
        receiver,
        [owner = owner, call, delivery = std::move(delivery)] { owner->answer(call, delivery); },
        Qt::QueuedConnection);
  }
  void close() {
    const std::lock_guard lock(mutex);
    receiver = nullptr;
  }
};

struct OfficeDatabaseThread::Worker {
  explicit Worker(std::shared_ptr<Mailbox> answers) : mailbox(std::move(answers)) {}

  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable endedSignal;
  std::deque<std::shared_ptr<Call>> calls;
  std::shared_ptr<Call> inFlight;
  bool ending = false;  // no more calls: close the connection and end
  bool ended = false;
  std::shared_ptr<Mailbox> mailbox;
  ModuleReference module;   // taken before the thread starts, let go after it was joined
  OfficeDatabase database;  // used by the thread alone, but for abort()
  std::thread thread;

  // The thread: runs the calls in order on its own connection, then closes it.
  static void run(std::shared_ptr<Worker> self) {
    pthread_setname_np(pthread_self(), kOfficeDatabaseThreadName);
    OfficeDatabase& database = self->database;
    std::unique_lock lock(self->mutex);
    for (;;) {
      self->wake.wait(lock, [&] { return !self->calls.empty() || self->ending; });
      if (self->calls.empty()) break;
      std::shared_ptr<Call> call = std::move(self->calls.front());
      self->calls.pop_front();
      self->inFlight = call;
      lock.unlock();
      std::function<void()> delivery = call->run(database);
      call->answered = true;
      self->mailbox->post(call, std::move(delivery));
      lock.lock();
      self->inFlight.reset();
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
    lock.unlock();
    --databaseThreadsRunning;
  }

  void post(std::shared_ptr<Call> call) {
    const std::lock_guard lock(mutex);
    calls.push_back(std::move(call));
    wake.notify_one();
  }

  bool holds(const std::shared_ptr<Call>& call) {
    const std::lock_guard lock(mutex);
    return inFlight == call || std::find(calls.begin(), calls.end(), call) != calls.end();
  }

  // Ends the thread after the call in flight, which is aborted (see OfficeDatabase::abort);
  // returns that call and the ones still queued, which this thread will not run.
  std::pair<std::shared_ptr<Call>, std::deque<std::shared_ptr<Call>>> end() {
    std::unique_lock lock(mutex);
    std::deque<std::shared_ptr<Call>> queued = std::exchange(calls, {});
    std::shared_ptr<Call> running = inFlight;
    ending = true;
    wake.notify_one();
    lock.unlock();
    // A call still in flight waits for a server that did not answer within its bound: its
    // connection is closed under it, so that it fails now instead of whenever the server wakes.
    if (running) database.abort();
    return {running, std::move(queued)};
  }

  bool hasEnded() {
    const std::lock_guard lock(mutex);
    return ended;
  }

  // Waits until the thread has ended, or the deadline has passed; true when it ended.
  bool waitEnded(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex);
    return endedSignal.wait_until(lock, deadline, [this] { return ended; });
  }
};

OfficeDatabaseThread::OfficeDatabaseThread()
    : mailbox_(std::make_shared<Mailbox>()), receiver_(std::make_unique<QObject>()) {
  mailbox_->owner = this;
  mailbox_->receiver = receiver_.get();
}

OfficeDatabaseThread::~OfficeDatabaseThread() {
  mailbox_->close();
  // Every thread closes its connection now and is joined: left to itself, its closing could
  // run (and let the client unload the engine) while the process exits, and the client's own
  // exit waits for a call in flight. A call stuck at a silent server has its connection closed
  // under it, so it ends too, and so does a connection still being made. Waited for at most
  // kClosingBound in all; what is still running then (an attach that the server took and never
  // answers) is left to finish on its own within the client's connect timeout.
  if (current_) {
    current_->end();
    abandoned_.push_back(std::move(current_));
  }
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
    current_ = std::make_shared<Worker>(mailbox_);
    ++databaseThreadsRunning;  // before the thread starts, so it never ends uncounted
    try {
      current_->thread = std::thread(&Worker::run, current_);
    } catch (...) {
      --databaseThreadsRunning;
      current_.reset();
      throw;
    }
  }
  return *current_;
}

std::size_t OfficeDatabaseThread::threadsRunning() { return databaseThreadsRunning; }

void OfficeDatabaseThread::joinEnded() {
  std::erase_if(abandoned_, [](const std::shared_ptr<Worker>& worker) {
    if (!worker->hasEnded()) return false;
    worker->thread.join();
    return true;
  });
}

void OfficeDatabaseThread::ask(const std::shared_ptr<Call>& call, std::chrono::milliseconds bound) {
  Worker& serving = worker();  // first: a thread that cannot start leaves no call pending
  ++pending_;
  call->bound = new QTimer(receiver_.get());
  call->bound->setSingleShot(true);
  QObject::connect(call->bound, &QTimer::timeout, receiver_.get(),
                   [this, call] { boundPassed(call); });
  serving.post(call);
  call->bound->start(bound);
}

void OfficeDatabaseThread::settle(Call& call) {
  call.settled = true;
  --pending_;
  if (call.bound != nullptr) {
    call.bound->stop();
    call.bound->deleteLater();
    call.bound = nullptr;
  }
}

void OfficeDatabaseThread::answer(const std::shared_ptr<Call>& call,
                                  const std::function<void()>& delivery) {
  if (call->settled) return;  // given up before the answer came
  settle(*call);
  if (!call->context.isNull()) delivery();
}

void OfficeDatabaseThread::boundPassed(const std::shared_ptr<Call>& call) {
  // An answer already on its way is taken as it comes.
  if (call->settled || call->answered) return;
  std::shared_ptr<Call> running;
  if (current_ && current_->holds(call)) running = abandon(call);
  settle(*call);
  // The call this one waited behind held the thread past this bound: given up with it, and
  // answered first, as it was asked first.
  if (running && running != call && !running->settled && !running->answered) {
    settle(*running);
    if (!running->context.isNull()) running->givenUp();
  }
  if (!call->context.isNull()) call->givenUp();
}

std::shared_ptr<OfficeDatabaseThread::Call> OfficeDatabaseThread::abandon(
    const std::shared_ptr<Call>& dropped) {
  auto [running, queued] = current_->end();
  abandoned_.push_back(std::move(current_));
  current_.reset();
  // The calls that waited behind the given-up one start again on a fresh thread, each with its
  // whole bound: as if asked now.
  for (const std::shared_ptr<Call>& call : queued) {
    if (call == dropped || call->settled) continue;
    worker().post(call);
    call->bound->start();
  }
  return running;
}

void OfficeDatabaseThread::readStationNames(const std::string& databaseName, QObject* context,
                                            std::function<void(StationNames)> answered) {
  auto call = std::make_shared<Call>();
  call->context = context;
  call->run = [databaseName, answered, afterConnect = afterConnect_](OfficeDatabase& database) {
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
    return std::function<void()>(
        [answered, names = std::move(names)]() mutable { answered(std::move(names)); });
  };
  call->givenUp = [answered] {
    answered(StationNames{.AZSNAMEs = {},
                          .failure = std::make_exception_ptr(OfficeDatabaseError(
                              std::string(text::kDatabaseDidNotAnswer) +
                              std::to_string(kOpeningBound.count()) + text::kSeconds))});
  };
  ask(call, kOpeningBound);
}

void OfficeDatabaseThread::close(QObject* context,
                                 std::function<void(std::exception_ptr failure)> answered) {
  if (!current_) {
    // Never opened, or given up: there is nothing to close.
    QMetaObject::invokeMethod(
        receiver_.get(),
        [context = QPointer<QObject>(context), answered] {
          if (!context.isNull()) answered(nullptr);
        },
        Qt::QueuedConnection);
    return;
  }
  auto call = std::make_shared<Call>();
  call->context = context;
  call->run = [answered](OfficeDatabase& database) {
    std::exception_ptr failure;
    try {
      database.disconnect();
    } catch (...) {
      failure = std::current_exception();
    }
    return std::function<void()>([answered, failure] { answered(failure); });
  };
  call->givenUp = [answered] { answered(nullptr); };
  ask(call, kClosingBound);
}

}  // namespace tarvel::autoquery
