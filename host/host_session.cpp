#include "host/host_session.h"

#include <QCoreApplication>
#include <QSpinBox>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "host/console_lines.h"
#include "host/host_callback.h"
#include "host/host_control_panel.h"
#include "host/host_texts.h"
#include "host/host_window.h"
#include "host/menu_item.h"
#include "host/message_pane.h"
#include "host/plugin_library.h"
#include "host/unattended_script.h"
#include "host/window_capture.h"
#include "platform/cp1251.h"
#include "platform/library_loader.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

using namespace std::chrono_literals;

// Code that runs after a closed modal dialog may open another one; it is closed on the next try.
constexpr auto kShutdownRetryInterval = 200ms;

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

  UnattendedScript script(options, window, requestShutdown);
  script.start();

  QCoreApplication::exec();
  shutdownRetry.stop();
  script.stop();

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
  return script.exitCode();
}

}  // namespace tarvel::host
