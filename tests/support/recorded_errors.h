// Records every message that reaches the application-level error handler while it lives, and
// restores the default handler afterwards.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/error_guard.h"

namespace tarvel::testing {

class RecordedApplicationErrors {
 public:
  RecordedApplicationErrors() {
    platform::setApplicationErrorHandler(
        [this](const std::string& message) { messages.push_back(message); });
  }
  ~RecordedApplicationErrors() { platform::setApplicationErrorHandler({}); }
  RecordedApplicationErrors(const RecordedApplicationErrors&) = delete;
  RecordedApplicationErrors& operator=(const RecordedApplicationErrors&) = delete;

  std::vector<std::string> messages;
};

}  // namespace tarvel::testing
