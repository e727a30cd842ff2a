// Pictures of the visible windows, and closing modal dialogs from inside their event loops.
#include "host/window_capture.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QTimer>

#include "support/temporary_installation.h"

namespace {

TEST(WindowCapture, SavesEveryVisibleWindowUnderItsName) {
  tarvel::testing::TemporaryInstallation scratch;
  QWidget named;
  named.setObjectName("probe window");
  named.resize(120, 80);
  named.show();
  QDialog firstDialog;
  QDialog secondDialog;
  firstDialog.show();
  secondDialog.show();
  QWidget hidden;
  hidden.setObjectName("hidden");

  const QString folder = QString::fromStdString((scratch.root() / "shots").string());
  const QStringList files = tarvel::host::saveWindowScreenshots(folder);
  EXPECT_EQ(files, (QStringList{folder + "/QDialog-2.png", folder + "/QDialog.png",
                                folder + "/probe_window.png"}));
  const QImage picture(folder + "/probe_window.png");
  EXPECT_EQ(picture.size(), named.size());
}

TEST(WindowCapture, ClosesModalDialogsFromInsideTheirLoops) {
  QDialog dialog;
  int closed = -1;
  QTimer::singleShot(0, &dialog, [&closed] { closed = tarvel::host::closeModalWindows(); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(tarvel::host::closeModalWindows(), 0);
}

}  // namespace
