// The one error type of the office database, apart from the client library's headers: whoever
// catches it (the office window) needs nothing of Firebird.
#pragma once

#include <stdexcept>

namespace tarvel::autoquery {

// Any failure of the office database, with the client's own error text (or ours, Windows-1251).
class OfficeDatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tarvel::autoquery
