// The main of every test program: Qt's offscreen platform and one QApplication for all tests,
// as the plug-in lives in its host's application. Remembered window placements go to a
// configuration folder of this run, never the user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QThreadPool>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const QTemporaryDir configHome;
  setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  // Qt's painting threads end while the application stands, as in the host's main.
  QThreadPool::globalInstance()->waitForDone();
  return status;
}
