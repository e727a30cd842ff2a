// The office database on a thread of its own, so that a server that stops answering holds up
// that thread and never the host's user-interface thread. The window asks for the station list
// and for the closing and goes on; each answer is handed back to the window's thread through its
// event loop. A call that outlives its bound is given up together with its thread and connection,
// and a fresh thread and connection serve the calls after it.
#pragma once

#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;

namespace tarvel::autoquery {

// How long a call may take before it is given up: the opening (connect, transaction, query and
// every row), and the closing (rollback and detach), each counted from the window's asking (or
// from its handing to a fresh thread, when the call it waited behind was given up). The
// opening's bound is above the client's connect timeout (5 s), so a server that does not take the
// connection is reported as such; the closing's is shorter, because then the operator has already
// chosen and only waits for the window to go.
inline constexpr std::chrono::seconds kOpeningBound{10};
inline constexpr std::chrono::seconds kClosingBound{5};

// The name of the database's threads, as the system lists them.
inline constexpr const char* kOfficeDatabaseThreadName = "tarvel-officedb";

// The walk of the station list: the names read, in AZSNUMBER order, and the failure that ended
// it early (empty when the whole list was read).
struct StationNames {
  std::vector<std::string> AZSNAMEs;
  std::exception_ptr failure;
};

class OfficeDatabaseThread {
 public:
  // Answers go to the thread that makes this object (the user-interface thread), which must run
  // an event loop for them.
  OfficeDatabaseThread();
  // Hands over no more answers. Every thread closes its connection and is joined, waiting at
  // most kClosingBound in all (a call in flight is aborted first, see readStationNames; a
  // connection still being made is given up). One still running then (an attach that the server
  // took and never answers, until the client's connect timeout) is left to finish on its own,
  // and the module stays in the process meanwhile (see ModuleReference), so that unloading the
  // plug-in never pulls its code from under it.
  ~OfficeDatabaseThread();
  OfficeDatabaseThread(const OfficeDatabaseThread&) = delete;
  OfficeDatabaseThread& operator=(const OfficeDatabaseThread&) = delete;

  // After the calls asked for before it: connects (unless connected), starts the read-only
  // transaction and reads every AZSNAME. `answered` gets the names on this object's thread,
  // unless `context` is gone by then (nullptr: nobody listens). A reading that has not answered
  // within kOpeningBound is given up: its connection is closed under it (or, still being made,
  // given up), its thread ends, and `answered` gets OfficeDatabaseError "…не ответил за 10 с";
  // the calls queued behind it go to a fresh thread.
  void readStationNames(const std::string& databaseName, QObject* context,
                        std::function<void(StationNames)> answered);

  // After the calls asked for before it: rolls back and detaches. `answered` gets what failed
  // (the connection is gone all the same), or nullptr, on this object's thread unless `context`
  // is gone. Given up like a reading after kClosingBound, then answered with nullptr; a call in
  // flight that it still waited behind is given up with it.
  void close(QObject* context, std::function<void(std::exception_ptr failure)> answered);

  // Calls asked for that have neither answered nor been given up.
  std::size_t callsPending() const { return pending_; }

  // The database's threads of this module still running, those given up and left to end on
  // their own included. (The system's list of threads cannot tell: the client's own threads, which
  // a database thread starts, carry its name too.)
  static std::size_t threadsRunning();

  // For tests that make a fault happen at a chosen point: called on the database's thread once
  // the connection of a reading is made, before its transaction starts.
  void setAfterConnect(std::function<void()> hook) { afterConnect_ = std::move(hook); }

 private:
  struct Call;
  struct Mailbox;
  struct Worker;
  // Queues the call on the current thread (a fresh one when none) and starts its bound.
  void ask(const std::shared_ptr<Call>& call, std::chrono::milliseconds bound);
  Worker& worker();
  // On this object's thread: the call's answer has come, or its bound has passed.
  void answer(const std::shared_ptr<Call>& call, const std::function<void()>& delivery);
  void boundPassed(const std::shared_ptr<Call>& call);
  // The call has answered or been given up: its bound stops and its answer, if any, is dropped.
  void settle(Call& call);
  // Gives up the current thread and its call in flight; the calls still queued, but for `dropped`,
  // go to a fresh thread, their bounds started anew. Returns the call that was in flight, if any.
  std::shared_ptr<Call> abandon(const std::shared_ptr<Call>& dropped);
  // Joins the given-up threads that have ended.
  void joinEnded();

  std::function<void()> afterConnect_;
  std::shared_ptr<Mailbox> mailbox_;
  std::unique_ptr<QObject> receiver_;
  std::shared_ptr<Worker> current_;
  std::vector<std::shared_ptr<Worker>> abandoned_;
  std::size_t pending_ = 0;
};

}  // namespace tarvel::autoquery
