// The main of every test program: Qt's offscreen platform and one QApplication for all tests,
// as the plug-in lives in its host's application. Remembered window placements go to a
// configuration folder of this run, never the user's own.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

// When a test opened an office database, the Firebird client has started the embedded engine's
// threads. Left alone they are still being stopped by the client's own exit handlers while the
// leak checker of a sanitized build stops every thread to look at memory, and that checker then
// crashes now and then. Shutting the client down here joins them before main returns.
void shutDownFirebirdIfLoaded() {
  void* client = dlopen("libfbclient.so.2", RTLD_NOW | RTLD_NOLOAD);
  if (client == nullptr) return;
  using Shutdown = int (*)(unsigned int timeout, int reason);
  constexpr int kExitCalled = -7;  // fb_shutrsn_exit_called
  if (const auto shutdown = reinterpret_cast<Shutdown>(dlsym(client, "fb_shutdown"))) {
    shutdown(0, kExitCalled);
  }
  dlclose(client);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const QTemporaryDir configHome;
  setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  shutDownFirebirdIfLoaded();
  return result;
}
