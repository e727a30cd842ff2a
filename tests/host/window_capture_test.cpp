// Pictures of the visible windows, and closing modal dialogs from inside their event loops.
#include "host/window_capture.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

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

// A window of three buttons named "row", the middle one hidden, and one named "other".
struct ButtonWindow {
  QWidget window;
  QPushButton* rows[3] = {};
  QPushButton* other = nullptr;
  int clicks[3] = {};

  explicit ButtonWindow(const char* name) {
    window.setObjectName(name);
    auto* layout = new QVBoxLayout(&window);
    for (int index = 0; index < 3; ++index) {
      rows[index] = new QPushButton(QString("row %1").arg(index), &window);
      rows[index]->setObjectName("row");
      layout->addWidget(rows[index]);
      QObject::connect(rows[index], &QPushButton::clicked, [this, index] { ++clicks[index]; });
    }
    other = new QPushButton("other", &window);
    other->setObjectName("other");
    layout->addWidget(other);
    rows[1]->hide();
    window.show();
  }
};

TEST(WindowClicks, FindsVisibleWidgetsByNameAndIndexInTreeOrder) {
  ButtonWindow buttons("buttons");
  using tarvel::host::WidgetReference;
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"row", 0}), buttons.rows[0]);
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"row", 1}), buttons.rows[2]);
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"row", 2}), nullptr);
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"other", 0}), buttons.other);
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"buttons", 0}), &buttons.window);
  EXPECT_EQ(tarvel::host::findWidget(WidgetReference{"missing", 0}), nullptr);
}

TEST(WindowClicks, AClickReachesTheWidgetUnderTheCentre) {
  ButtonWindow buttons("buttons");
  tarvel::host::clickWidget(*buttons.rows[2]);
  EXPECT_EQ(buttons.clicks[0], 0);
  EXPECT_EQ(buttons.clicks[2], 1);
}

TEST(WindowClicks, AWidgetOutOfSightIsScrolledIntoSightFirst) {
  QScrollArea area;
  area.resize(200, 100);
  auto* contents = new QWidget;
  contents->resize(180, 2000);
  auto* far = new QPushButton("far", contents);
  far->setGeometry(10, 1500, 100, 30);
  auto* near = new QPushButton("near", contents);
  near->setGeometry(10, 40, 100, 30);
  area.setWidget(contents);
  area.show();
  int farClicks = 0;
  int nearClicks = 0;
  QObject::connect(far, &QPushButton::clicked, [&farClicks] { ++farClicks; });
  QObject::connect(near, &QPushButton::clicked, [&nearClicks] { ++nearClicks; });
  tarvel::host::clickWidget(*far);
  EXPECT_EQ(farClicks, 1);
  tarvel::host::clickWidget(*near);
  EXPECT_EQ(nearClicks, 1);
}

TEST(WindowClicks, SearchesOnlyTheModalWindowWhileOneRuns) {
  ButtonWindow behind("behind");
  QDialog dialog;
  auto* row = new QPushButton("in dialog", &dialog);
  row->setObjectName("row");
  QObject::connect(row, &QPushButton::clicked, &dialog, &QDialog::accept);
  QWidget* found = nullptr;
  QTimer::singleShot(0, &dialog, [&found] {
    found = tarvel::host::findWidget({"row", 0});
    if (found != nullptr) tarvel::host::clickWidget(*found);
  });
  QTimer::singleShot(2000, &dialog, &QDialog::reject);  // ends the test should the click miss
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(found, row);
  EXPECT_EQ(behind.clicks[0], 0);
}

TEST(WindowClicks, FindsAVisibleWindowByObjectNameOrClass) {
  ButtonWindow buttons("buttons");
  QDialog hidden;
  hidden.setObjectName("hiddenDialog");
  EXPECT_EQ(tarvel::host::findVisibleWindow("buttons"), &buttons.window);
  EXPECT_EQ(tarvel::host::findVisibleWindow("hiddenDialog"), nullptr);
  hidden.show();
  EXPECT_EQ(tarvel::host::findVisibleWindow("QDialog"), &hidden);
  EXPECT_EQ(tarvel::host::findVisibleWindow("Dialog"), nullptr);
}

}  // namespace
