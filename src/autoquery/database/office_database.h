// The office database as the office window uses it (IBDatabase1, IBTransaction1, IBDataSet1):
// connect, start a read-only transaction, walk the station list, roll back and disconnect.
// Every failure raises OfficeDatabaseError with the client's error text.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "autoquery/database/office_database_error.h"

namespace tarvel::autoquery {

class OfficeDatabase {
 public:
  OfficeDatabase();
  // Rolls back and disconnects quietly.
  ~OfficeDatabase();
  OfficeDatabase(const OfficeDatabase&) = delete;
  OfficeDatabase& operator=(const OfficeDatabase&) = delete;

  bool connected() const;
  // Attaches to the database named as officeDatabaseName builds it: a local "C:\…" name
  // through the embedded engine at its place under the installation root, a name with a
  // server prefix at that server. Does nothing when already connected. A server that does not
  // take the connection, or takes it and does not answer, within the connect timeout is reported
  // as such.
  void connect(std::string_view databaseName);

  // For tests that send a signal at that moment: called on the connecting thread right after
  // the client's attach call (made or failed), while the handlers the client installs at its
  // first call may stand, before the host's dispositions are put back.
  void setAfterAttachCall(std::function<void()> hook) { afterAttachCall_ = std::move(hook); }

  bool transactionActive() const;
  // Starts the read-committed, rec_version, nowait, read-only transaction; does nothing when
  // one is active already.
  void startTransaction();

  // Runs "select * from OFFICE order by AZSNUMBER" in the active transaction and hands each
  // row's AZSNAME to the call-back as Windows-1251 bytes (a character the code page lacks as
  // "?", NULL as an empty text, a CHAR column without its padding blanks). The cursor is closed
  // after the last row, also when the call-back or a fetch fails.
  void forEachStationName(const std::function<void(const std::string& AZSNAME)>& onRow);

  // Rolls the transaction back, when one is active.
  void rollback();
  // From another thread than the one using the connection: closes the connection's side of the
  // network at once, so that a call stuck at a server that does not answer fails instead of
  // waiting for ever (the client's own exit waits for such a call), and ends the wait for a
  // server to take the connection (see connect), now and in every later call. An embedded
  // connection, which the network cannot hold up, is left alone.
  void abort() noexcept;

  // Rolls back and detaches; nothing happens when not connected. A connection the client reports
  // as gone (shut down or lost) counts as closed: no error.
  void disconnect();

 private:
  // Waits until the server of a remote name takes connections, within the connect timeout.
  void waitUntilTheServerTakesConnections(const std::string& connectionString);

  struct Handles;
  std::unique_ptr<Handles> handles_;
  std::function<void()> afterAttachCall_;
};

}  // namespace tarvel::autoquery
