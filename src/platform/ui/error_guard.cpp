#include "platform/ui/error_guard.h"

#include <QApplication>
#include <cstdio>
#include <exception>

#include "platform/platform_texts.h"
#include "platform/ui/operator_dialogs.h"

namespace tarvel::platform {
namespace {

ApplicationErrorHandler& installedHandler() {
  static ApplicationErrorHandler handler;
  return handler;
}

void showToOperator(const std::string& message) {
  std::fprintf(stderr, "tarvel: %s\n", message.c_str());
  // Without a running application there is nobody to show a box to.
  if (QApplication::instance() == nullptr) return;
  operatorDialogs().showMessage(nullptr, "Tarvel", message);
}

}  // namespace

void setApplicationErrorHandler(ApplicationErrorHandler handler) {
  installedHandler() = std::move(handler);
}

void reportApplicationError(const std::string& message) noexcept {
  try {
    if (installedHandler()) {
      installedHandler()(message);
    } else {
      showToOperator(message);
    }
  } catch (...) {
    std::fprintf(stderr, "tarvel: error while reporting an error: %s\n", message.c_str());
  }
}

void reportCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    reportApplicationError(error.what());
  } catch (...) {
    reportApplicationError(text::kUnknownError);
  }
}

}  // namespace tarvel::platform
