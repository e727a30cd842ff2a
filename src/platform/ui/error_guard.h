// The error guard. No exception may escape into Qt's event loop: every event handler, timer
// tick and menu click of the plug-in is entered through guarded(), which hands an error that
// nothing caught to the one application-level handler. That handler shows the message to the
// operator and the host goes on.
#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

namespace tarvel::platform {

// Receives the Windows-1251 message of an error that reached the guard.
using ApplicationErrorHandler = std::function<void(const std::string& message)>;

// Replaces the handler; an empty one restores the default, which writes the message to
// standard error and shows it in a message box.
void setApplicationErrorHandler(ApplicationErrorHandler handler);

// Hands a message to the handler in force. Never throws.
void reportApplicationError(const std::string& message) noexcept;

// Hands the exception in flight to the handler; call only inside a catch block.
void reportCurrentException() noexcept;

// Runs action; whatever it throws goes to the application-level handler.
template <typename Action>
void guarded(Action&& action) noexcept {
  try {
    std::forward<Action>(action)();
  } catch (...) {
    reportCurrentException();
  }
}

// Wraps a handler for Qt's connect() or a callback slot: the result runs action through the
// guard. The signal's arguments are passed on when action takes them, and dropped when it
// takes none.
template <typename Action>
auto guardedHandler(Action action) {
  return [action = std::move(action)](auto&&... arguments) mutable noexcept {
    guarded([&] {
      if constexpr (std::is_invocable_v<Action&, decltype(arguments)...>) {
        action(std::forward<decltype(arguments)>(arguments)...);
      } else {
        action();
      }
    });
  };
}

}  // namespace tarvel::platform
