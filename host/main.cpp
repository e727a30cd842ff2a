// tarvel-host: the reference host program. It loads the plug-in, hands it a call-back and its
// menu bar, and plays the host's part; see --help.
#include <QApplication>
#include <QGuiApplication>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/host_options.h"
#include "host/host_session.h"
#include "host/thread_pool_end.h"
#include "platform/install_root.h"

namespace {

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
  // Qt picks its platform when the application is made: without a display, offscreen (a
  // -platform option still wins).
  if (!hasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 0);

  // The application takes Qt's standard options out of the command line first; the rest is
  // ours, --plugin kept from Qt, which would take it for its own -plugin.
  QStringList pluginOptions;
  std::vector<char*> forQt = tarvel::host::withoutPluginOptions(argc, argv, pluginOptions);
  int qtArgumentCount = static_cast<int>(forQt.size());
  forQt.push_back(nullptr);
  QApplication application(qtArgumentCount, forQt.data());
  QCoreApplication::setApplicationName(tarvel::host::kProgramName);
  QApplication::setQuitOnLastWindowClosed(false);

  const auto parsed = tarvel::host::parseHostOptions(QCoreApplication::arguments() + pluginOptions);
  if (parsed.helpRequested) {
    std::printf("%s", parsed.helpText.toLocal8Bit().constData());
    return 0;
  }
  if (!parsed.options) {
    std::fprintf(stderr, "tarvel-host: %s\n\n%s", parsed.error.toLocal8Bit().constData(),
                 parsed.helpText.toLocal8Bit().constData());
    return 2;
  }
  const tarvel::host::HostOptions& options = *parsed.options;

  // Before the plug-in and the siblings are loaded: they find the root through the environment.
  if (options.root) {
    setenv(tarvel::platform::kInstallationRootVariable, options.root->toLocal8Bit().constData(), 1);
  }

  const bool echoMessages = QGuiApplication::platformName() == "offscreen";
  const int status = tarvel::host::runHost(options, echoMessages);
  // Qt paints large areas on its global thread pool. Its threads are ended here, while the
  // application still stands, and not by the application's destructor at the last moment of the
  // process: a pool thread still ending then raced the leak check of the sanitized build.
  tarvel::host::endGlobalThreadPool(std::chrono::seconds(2));
  return status;
}
