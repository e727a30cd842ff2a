// The one error type of the office database, apart from the client library's headers: whoever
// catches it (the office window) needs nothing of Firebird.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvel::autoquery {

// Any failure of the office database, with the client's own error text (or ours, Windows-1251).
class OfficeDatabaseError : public std::runtime_error {
 public:
  // What the client said of the connection along with the failure.
  enum class Connection { Usable, Gone };

  explicit OfficeDatabaseError(const std::string& text, Connection connection = Connection::Usable)
      : std::runtime_error(text), connection_(connection) {}

  // The connection was shut down or lost (a server shut down or stopped, the client shut down
  // at a signal): there is nothing left to close.
  bool connectionGone() const { return connection_ == Connection::Gone; }

 private:
  Connection connection_;
};

}  // namespace tarvel::autoquery
