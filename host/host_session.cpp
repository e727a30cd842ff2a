#include "host/host_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "host/host_callback.h"
#include "host/host_control_panel.h"
#include "host/host_texts.h"
#include "host/host_window.h"
#include "host/menu_item.h"
#include "host/menu_path.h"
#include "host/message_pane.h"
#include "host/plugin_library.h"
#include "host/widget_reference.h"
#include "host/window_capture.h"
#include "platform/cp1251.h"
#include "platform/library_loader.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

using namespace std::chrono_literals;

// Long enough for a command's or a click's window to be shown and laid out before it is pictured.
constexpr auto kScreenshotDelay = 600ms;
// Code that runs after a closed modal dialog may open another one; it is closed on the next try.
constexpr auto kShutdownRetryInterval = 200ms;
constexpr auto kWindowWatchInterval = 250ms;

void printLine(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

void printError(const QString& line) {
  std::fprintf(stderr, "tarvel-host: %s\n", line.toUtf8().constData());
}

// Opens the item the person named: a command is clicked, a submenu is popped up.
bool openMenuItem(HostWindow& window, const QString& path) {
  auto* item = dynamic_cast<QtMenuItem*>(findMenuItemByPath(window.mainMenu(), path));
  if (item == nullptr || item->action() == nullptr) return false;
  printLine("Opening: " + path);
  if (item->submenu() != nullptr) {
    item->submenu()->popup(window.mapToGlobal(window.rect().center()));
  } else {
    item->action()->trigger();
  }
  return true;
}

// The answers the command line set, in the panel before Load asks for them.
void applyHostAnswers(const HostOptions& options, HostControlPanel& controls) {
  if (options.installationKind) controls.installationKind->setValue(*options.installationKind);
  if (options.callbackVersion) controls.callbackVersion->setValue(*options.callbackVersion);
  if (options.stations.empty()) return;
  controls.clearStations();
  for (const auto& [name, value] : options.stations) {
    controls.addStation(platform::fromUnicode(name), value);
  }
}

}  // namespace

QString defaultPluginPath() {
  return QString::fromStdString((platform::programFolder() / "libtarvel.so").string());
}

int runHost(const HostOptions& options, bool echoMessages) {
  HostWindow window(options.mode, options.hostMenuHasLink);
  window.messagePane->setEchoToStandardOutput(echoMessages);
  applyHostAnswers(options, *window.controlPanel);
  platform::setApplicationErrorHandler([&window](const std::string& message) {
    std::fprintf(stderr, "tarvel-host: error: %s\n",
                 platform::toUnicode(message).toUtf8().constData());
    window.messagePane->addLine(platform::toUnicode(text::kApplicationError + message));
  });
  window.show();

  int exitCode = 0;
  // Ends every event loop, the modal dialogs' first, and keeps at it until the main loop is out.
  QTimer shutdownRetry;
  shutdownRetry.setInterval(kShutdownRetryInterval);
  const auto requestShutdown = [&shutdownRetry] {
    closeModalWindows();
    QCoreApplication::exit(0);
    shutdownRetry.start();
  };
  QObject::connect(&shutdownRetry, &QTimer::timeout, &window,
                   platform::guardedHandler(requestShutdown));

  PluginLibrary plugin;
  const QString pluginPath = options.pluginPath.value_or(defaultPluginPath());
  std::string error;
  if (!plugin.open(pluginPath.toStdString(), error)) {
    printError(QString::fromStdString(error));
    platform::setApplicationErrorHandler({});
    return 1;
  }
  const int32_t loadResult =
      plugin.load(reinterpret_cast<intptr_t>(&window), options.mode, &window.callback(), error);
  if (!error.empty()) printError("Load raised: " + QString::fromStdString(error));
  printLine(QString("Load returned %1").arg(loadResult));
  window.messagePane->addLine(platform::toUnicode(text::kLoadReturned) +
                              QString::number(loadResult));

  // The unattended steps, each in a timer of its own armed now: a step that opens a modal
  // dialog blocks in it, and the later steps then fire inside the dialog's event loop.
  auto stepTime = 0ms;
  if (options.openMenuPath) {
    QTimer::singleShot(stepTime, &window, platform::guardedHandler([&] {
                         if (openMenuItem(window, *options.openMenuPath)) return;
                         printError("no menu item " + *options.openMenuPath);
                         exitCode = 1;
                         requestShutdown();
                       }));
  }
  for (const QString& text : options.clicks) {
    stepTime += kScreenshotDelay;
    QTimer::singleShot(stepTime, &window, platform::guardedHandler([&, text] {
                         const auto reference = parseWidgetReference(text);
                         QWidget* widget = reference ? findWidget(*reference) : nullptr;
                         if (widget == nullptr) {
                           printError("no visible widget " + text);
                           exitCode = 1;
                           requestShutdown();
                           return;
                         }
                         printLine("Clicking: " + text);
                         clickWidget(*widget);
                       }));
  }
  const auto takeScreenshots = [&] {
    try {
      for (const QString& file : saveWindowScreenshots(*options.screenshotFolder)) {
        printLine("Screenshot: " + file);
      }
    } catch (const std::exception& failure) {
      printError(failure.what());
      exitCode = 1;
    }
    requestShutdown();
  };
  // --screenshot-when looks for its window a few times a second, up to a deadline.
  QTimer windowWatch;
  windowWatch.setInterval(kWindowWatchInterval);
  QDeadlineTimer watchDeadline;
  QObject::connect(&windowWatch, &QTimer::timeout, &window, platform::guardedHandler([&] {
    if (options.screenshotWhen && findVisibleWindow(*options.screenshotWhen) != nullptr) {
      windowWatch.stop();
      printLine("Window shown: " + *options.screenshotWhen);
      QTimer::singleShot(kScreenshotDelay, &window, platform::guardedHandler(takeScreenshots));
    } else if (watchDeadline.hasExpired()) {
      windowWatch.stop();
      printError(QString("no window %1 within %2 seconds")
                     .arg(options.screenshotWhen.value_or(QString()))
                     .arg(kScreenshotWhenWaitSeconds));
      exitCode = 1;
      requestShutdown();
    }
  }));
  if (options.screenshotFolder) {
    stepTime += kScreenshotDelay;
    QTimer::singleShot(
        stepTime, &window, platform::guardedHandler([&] {
          if (!options.screenshotWhen) {
            takeScreenshots();
            return;
          }
          watchDeadline.setRemainingTime(std::chrono::seconds(kScreenshotWhenWaitSeconds));
          windowWatch.start();
        }));
  }
  if (options.quitAfterSeconds) {
    QTimer::singleShot(std::chrono::seconds(*options.quitAfterSeconds), &window,
                       platform::guardedHandler(requestShutdown));
  }

  QCoreApplication::exec();
  shutdownRetry.stop();
  windowWatch.stop();

  printLine(QString("getAutoSend returned %1").arg(plugin.autoSend()));
  error.clear();
  const int32_t unloadResult = plugin.unload(error);
  if (!error.empty()) printError("UnLoad raised: " + QString::fromStdString(error));
  printLine(QString("UnLoad returned %1").arg(unloadResult));
  window.messagePane->addLine(platform::toUnicode(text::kUnLoadReturned) +
                              QString::number(unloadResult));
  // The plug-in's handlers are its code: none may run or be destroyed once it is released.
  window.mainMenu().clearClickHandlers();
  if (unloadResult != 0) printError("UnLoad failed: the plug-in stays loaded until the host exits");
  plugin.close();
  platform::setApplicationErrorHandler({});
  return exitCode;
}

}  // namespace tarvel::host
