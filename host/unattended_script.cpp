#include "host/unattended_script.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <chrono>
#include <exception>

#include "host/console_lines.h"
#include "host/host_window.h"
#include "host/menu_item.h"
#include "host/menu_path.h"
#include "host/widget_actions.h"
#include "host/widget_reference.h"
#include "host/window_capture.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

using namespace std::chrono_literals;

// Long enough for what a step opened to be shown and laid out before the next step or a picture.
constexpr auto kStepDelay = 600ms;
constexpr auto kWindowWatchInterval = 250ms;
// How often a step that waits for a busy window looks again, and for how long at most (longer
// than any wait of the plug-in's windows for their database).
constexpr auto kBusyRecheck = 100ms;
constexpr auto kBusyLimit = 30s;

}  // namespace

UnattendedScript::UnattendedScript(const HostOptions& options, HostWindow& window,
                                   std::function<void()> requestShutdown)
    : options_(options), window_(window), requestShutdown_(std::move(requestShutdown)) {
  windowWatch_.setInterval(kWindowWatchInterval);
  QObject::connect(&windowWatch_, &QTimer::timeout, &window_,
                   platform::guardedHandler([this] { watchForWindow(); }));
}

void UnattendedScript::start() {
  if (options_.quitAfterSeconds) {
    QTimer::singleShot(std::chrono::seconds(*options_.quitAfterSeconds), &window_,
                       platform::guardedHandler(requestShutdown_));
  }
  // An --open that comes first runs at once; every other step waits a step's time after the
  // one before, so that what the step before opened is shown and laid out.
  const bool openFirst =
      !options_.steps.empty() && options_.steps.front().action == ScriptStep::Action::Open;
  playWhenIdle(0, openFirst ? 0ms : kStepDelay);
}

bool UnattendedScript::busy() {
  if (const QCursor* cursor = QApplication::overrideCursor();
      cursor != nullptr && cursor->shape() == Qt::WaitCursor) {
    return true;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->testAttribute(Qt::WA_SetCursor) &&
        window->cursor().shape() == Qt::WaitCursor) {
      return true;
    }
  }
  return false;
}

bool UnattendedScript::mustWait(size_t next) const {
  if (!busy()) return false;
  // While a window shows the wait cursor, the operator waits for what it is reading, but may
  // press a control it left usable (its cancel button, the host's menu).
  if (next >= options_.steps.size()) return true;
  const ScriptStep& step = options_.steps[next];
  switch (step.action) {
    case ScriptStep::Action::Open:
      return false;
    case ScriptStep::Action::Click:
    case ScriptStep::Action::Type: {
      const QWidget* widget = findWidget(step.widget);
      return widget == nullptr || !widget->isEnabled();
    }
    default:
      return true;
  }
}

void UnattendedScript::playWhenIdle(size_t next, std::chrono::milliseconds delay) {
  QTimer::singleShot(delay, &window_, platform::guardedHandler([this, next] {
                       if (exitCode_ != 0) return;
                       if (mustWait(next) && !busyDeadline_.hasExpired()) {
                         if (busyDeadline_.isForever()) busyDeadline_.setRemainingTime(kBusyLimit);
                         playWhenIdle(next, kBusyRecheck);
                         return;
                       }
                       busyDeadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
                       if (next < options_.steps.size()) {
                         // Armed first: a step that opens a modal dialog blocks in it, and the
                         // later steps then fire inside the dialog's event loop.
                         playWhenIdle(next + 1, kStepDelay);
                         play(options_.steps[next]);
                       } else if (next == options_.steps.size()) {
                         finishSteps();
                       }
                     }));
}

void UnattendedScript::finishSteps() {
  if (!options_.screenshotFolder) return;
  if (!options_.screenshotWhen) {
    takeScreenshots();
    return;
  }
  watchDeadline_.setRemainingTime(std::chrono::seconds(kScreenshotWhenWaitSeconds));
  windowWatch_.start();
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

void UnattendedScript::play(const ScriptStep& step) {
  // A step that fires after a failure, inside a modal dialog that is closing, does nothing.
  if (exitCode_ != 0) return;
  switch (step.action) {
    case ScriptStep::Action::Open:
      if (!openMenuItem(step.text)) fail("no menu item " + step.text);
      break;
    case ScriptStep::Action::Click:
      click(step);
      break;
    case ScriptStep::Action::Type:
      type(step);
      break;
    case ScriptStep::Action::Expect:
      expect(step);
      break;
    case ScriptStep::Action::Screenshot:
      saveScreenshots(step.text);
      break;
  }
}

QWidget* UnattendedScript::stepWidget(const ScriptStep& step) {
  QWidget* widget = findWidget(step.widget);
  if (widget == nullptr) fail("no visible widget " + referenceText(step.widget));
  return widget;
}

void UnattendedScript::click(const ScriptStep& step) {
  QWidget* widget = stepWidget(step);
  if (widget == nullptr) return;
  printLine("Clicking: " + referenceText(step.widget));
  if (!step.widget.row) {
    clickWidget(*widget);
  } else if (!clickRow(*widget, *step.widget.row)) {
    fail("no row " + referenceText(step.widget));
  }
}

void UnattendedScript::type(const ScriptStep& step) {
  QWidget* widget = stepWidget(step);
  if (widget == nullptr) return;
  printLine("Typing: " + referenceText(step.widget) + " = " + step.text);
  typeText(*widget, step.text);
}

void UnattendedScript::expect(const ScriptStep& step) {
  QWidget* widget = stepWidget(step);
  if (widget == nullptr) return;
  const auto shown = shownText(*widget, step.widget.row);
  if (!shown) {
    fail("no text in " + referenceText(step.widget));
  } else if (*shown != step.text) {
    fail(QString("%1 shows \"%2\", expected \"%3\"")
             .arg(referenceText(step.widget), *shown, step.text));
  } else {
    printLine("Shows: " + referenceText(step.widget) + " = " + step.text);
  }
}

bool UnattendedScript::saveScreenshots(const QString& folder) {
  try {
    for (const QString& file : saveWindowScreenshots(folder)) {
      printLine("Screenshot: " + file);
    }
    return true;
  } catch (const std::exception& failure) {
    fail(failure.what());
    return false;
  }
}

void UnattendedScript::takeScreenshots() {
  // A failure has already asked for the end of the run.
  if (saveScreenshots(*options_.screenshotFolder)) requestShutdown_();
}

void UnattendedScript::watchForWindow() {
  if (options_.screenshotWhen && findVisibleWindow(*options_.screenshotWhen) != nullptr) {
    windowWatch_.stop();
    printLine("Window shown: " + *options_.screenshotWhen);
    QTimer::singleShot(kStepDelay, &window_,
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
