// The office database on a thread of its own, so that a server that stops answering holds up
// that thread and never the host's user-interface thread. The window asks for the station list
// and for the closing, and waits for the answers within its bounds; a call that outlives its
// bound is given up together with its thread and connection, and a fresh thread and connection
// serve the next call.
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

namespace tarvel::autoquery {

// How long the office window waits for the database, while it goes on handling events: for
// the whole opening (connect, transaction, query and every row), and for the closing (rollback
// and detach). The opening's bound is above the client's connect timeout (5 s), so a server that
// does not take the connection is reported as such; the closing's is shorter, because then
// the operator has already chosen and only waits for the window to go.
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
  OfficeDatabaseThread();
  // Every thread closes its connection and is joined, waiting at most kClosingBound in all (a
  // call in flight is aborted first, see abandon; a connection still being made is given up).
  // One still running then (an attach that the server took and never answers, until the
  // client's connect timeout) is left to finish on its own, and the module stays in the process
  // meanwhile (see ModuleReference), so that unloading the plug-in never pulls its code from
  // under it.
  ~OfficeDatabaseThread();
  OfficeDatabaseThread(const OfficeDatabaseThread&) = delete;
  OfficeDatabaseThread& operator=(const OfficeDatabaseThread&) = delete;

  // Connects (unless connected), starts the read-only transaction and reads every AZSNAME.
  // `finished` is called on the database's thread once the answer is ready; it must only wake
  // the waiter.
  std::future<StationNames> readStationNames(const std::string& databaseName,
                                             std::function<void()> finished);

  // Rolls back and detaches. The future raises OfficeDatabaseError when that failed (the
  // connection is gone all the same).
  std::future<void> close(std::function<void()> finished);

  // For tests that make a fault happen at a chosen point: called on the database's thread once
  // the connection of a reading is made, before its transaction starts.
  void setAfterConnect(std::function<void()> hook) { afterConnect_ = std::move(hook); }

  // Gives up the call in flight: its answer is thrown away, its connection is closed under it
  // (a call stuck at a silent server fails at once) or, still being made, given up, and its
  // thread ends. The next call starts afresh.
  void abandon();

 private:
  struct Worker;
  Worker& worker();
  // Joins the given-up threads that have ended.
  void joinEnded();

  std::function<void()> afterConnect_;
  std::shared_ptr<Worker> current_;
  std::vector<std::shared_ptr<Worker>> abandoned_;
};

}  // namespace tarvel::autoquery
