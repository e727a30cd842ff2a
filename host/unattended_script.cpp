#include "host/unattended_script.h"

#include <QMenu>
#include <chrono>
#include <exception>

#include "host/console_lines.h"
#include "host/host_window.h"
#include "host/menu_item.h"
#include "host/menu_path.h"
#include "host/widget_reference.h"
#include "host/window_capture.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

using namespace std::chrono_literals;

// Long enough for a command's or a click's window to be shown and laid out before it is pictured.
constexpr auto kScreenshotDelay = 600ms;
constexpr auto kWindowWatchInterval = 250ms;

}  // namespace

UnattendedScript::UnattendedScript(const HostOptions& options, HostWindow& window,
                                   std::function<void()> requestShutdown)
    : options_(options), window_(window), requestShutdown_(std::move(requestShutdown)) {
  windowWatch_.setInterval(kWindowWatchInterval);
  QObject::connect(&windowWatch_, &QTimer::timeout, &window_,
                   platform::guardedHandler([this] { watchForWindow(); }));
}

void UnattendedScript::start() {
  auto stepTime = 0ms;
  if (options_.openMenuPath) {
    QTimer::singleShot(stepTime, &window_, platform::guardedHandler([this] {
                         if (!openMenuItem(*options_.openMenuPath)) {
                           fail("no menu item " + *options_.openMenuPath);
                         }
                       }));
  }
  for (const QString& reference : options_.clicks) {
    stepTime += kScreenshotDelay;
    QTimer::singleShot(stepTime, &window_,
                       platform::guardedHandler([this, reference] { click(reference); }));
  }
  if (options_.screenshotFolder) {
    stepTime += kScreenshotDelay;
    QTimer::singleShot(
        stepTime, &window_, platform::guardedHandler([this] {
          if (!options_.screenshotWhen) {
            takeScreenshots();
            return;
          }
          watchDeadline_.setRemainingTime(std::chrono::seconds(kScreenshotWhenWaitSeconds));
          windowWatch_.start();
        }));
  }
  if (options_.quitAfterSeconds) {
    QTimer::singleShot(std::chrono::seconds(*options_.quitAfterSeconds), &window_,
                       platform::guardedHandler(requestShutdown_));
  }
}

void UnattendedScript::stop() { windowWatch_.stop(); }

// Opens the item the person named: a command is clicked, a submenu is popped up.
bool UnattendedScript::openMenuItem(const QString& path) {
  auto* item = dynamic_cast<QtMenuItem*>(findMenuItemByPath(window_.mainMenu(), path));
  if (item == nullptr || item->action() == nullptr) return false;
  printLine("Opening: " + path);
  if (item->submenu() != nullptr) {
    item->submenu()->popup(window_.mapToGlobal(window_.rect().center()));
  } else {
    item->action()->trigger();
  }
  return true;
}

void UnattendedScript::click(const QString& reference) {
  const auto parsed = parseWidgetReference(reference);
  QWidget* widget = parsed ? findWidget(*parsed) : nullptr;
  if (widget == nullptr) {
    fail("no visible widget " + reference);
    return;
  }
  printLine("Clicking: " + reference);
  clickWidget(*widget);
}

void UnattendedScript::takeScreenshots() {
  try {
    for (const QString& file : saveWindowScreenshots(*options_.screenshotFolder)) {
      printLine("Screenshot: " + file);
    }
  } catch (const std::exception& failure) {
    printError(failure.what());
    exitCode_ = 1;
  }
  requestShutdown_();
}

void UnattendedScript::watchForWindow() {
  if (options_.screenshotWhen && findVisibleWindow(*options_.screenshotWhen) != nullptr) {
    windowWatch_.stop();
    printLine("Window shown: " + *options_.screenshotWhen);
    QTimer::singleShot(kScreenshotDelay, &window_,
                       platform::guardedHandler([this] { takeScreenshots(); }));
  } else if (watchDeadline_.hasExpired()) {
    windowWatch_.stop();
    fail(QString("no window %1 within %2 seconds")
             .arg(options_.screenshotWhen.value_or(QString()))
             .arg(kScreenshotWhenWaitSeconds));
  }
}

void UnattendedScript::fail(const QString& message) {
  printError(message);
  exitCode_ = 1;
  requestShutdown_();
}

}  // namespace tarvel::host
