#include "platform/ui/form_placement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

namespace tarvel::platform {
namespace {

TEST(FormPlacement, OpensAtTheTopLeftCornerUntilAPositionIsRemembered) {
  // The test programs keep their configuration in a folder of their own run.
  const std::filesystem::path configHome = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::remove(configHome / "Tarvel" / "placement.ini");
  QWidget window;
  window.move(300, 200);
  FormPlacement placement(&window, "TTestForm");
  placement.restore();
  EXPECT_EQ(window.pos(), QPoint(0, 0));

  window.show();
  window.move(120, 80);
  placement.save();
  QWidget sameFormNextRun;
  FormPlacement(&sameFormNextRun, "TTestForm").restore();
  // Put back by its client area, where it stood below the frame's corner.
  EXPECT_EQ(sameFormNextRun.geometry().topLeft(), window.geometry().topLeft());
  QWidget otherForm;
  otherForm.move(5, 5);
  FormPlacement(&otherForm, "TOtherForm").restore();
  EXPECT_EQ(otherForm.pos(), QPoint(0, 0));
  EXPECT_TRUE(std::filesystem::exists(configHome / "Tarvel" / "placement.ini"));
}

TEST(FormPlacement, APlaceOffEveryScreenIsBroughtBackOntoTheNearestOne) {
  const std::vector<QRect> screens{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
  const QSize frame(400, 300);
  const struct {
    QPoint remembered;
    QPoint placed;
  } cases[] = {
      {{100, 50}, {100, 50}},      // on the first screen
      {{1500, 600}, {1500, 600}},  // on the second screen, its bottom below: the title bar is
                                   // what the operator needs
      {{1240, 20}, {1240, 20}},    // the title's start across both screens
      {{3000, 200}, {1904, 200}},  // a monitor to the right removed
      {{-2000, -900}, {0, 0}},     // one to the upper left
      {{200, -15}, {200, 0}},      // the title bar above the top edge
      {{500, 900}, {500, 500}},    // below the bottom edge
  };
  for (const auto& test : cases) {
    EXPECT_EQ(placeOnScreens(test.remembered, frame, screens), test.placed) << test.remembered.x();
  }
}

TEST(FormPlacement, ARememberedPlaceThatNoScreenShowsOpensOnTheScreen) {
  const std::filesystem::path configHome = std::getenv("XDG_CONFIG_HOME");
  QWidget window;
  window.resize(200, 100);
  FormPlacement placement(&window, "TFarForm");
  window.show();
  window.move(6000, 4000);
  placement.save();
  QWidget nextRun;
  nextRun.resize(200, 100);
  FormPlacement(&nextRun, "TFarForm").restore();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(nextRun.geometry())) << nextRun.x() << "," << nextRun.y();
}

TEST(FormPlacement, AWindowNeverShownStoresNoPlaceAndTheRememberedOneStays) {
  QWidget shown;
  FormPlacement(&shown, "TKeptForm").restore();
  shown.show();
  shown.move(140, 90);
  FormPlacement(&shown, "TKeptForm").save();
  QWidget neverShown;
  FormPlacement placement(&neverShown, "TKeptForm");
  neverShown.move(500, 400);
  placement.save();
  QWidget nextRun;
  FormPlacement(&nextRun, "TKeptForm").restore();
  EXPECT_EQ(nextRun.geometry().topLeft(), shown.geometry().topLeft());
}

}  // namespace
}  // namespace tarvel::platform
