#include "platform/ui/form_placement.h"

#include <gtest/gtest.h>

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

  window.move(120, 80);
  placement.save();
  QWidget sameFormNextRun;
  FormPlacement(&sameFormNextRun, "TTestForm").restore();
  EXPECT_EQ(sameFormNextRun.pos(), QPoint(120, 80));
  QWidget otherForm;
  otherForm.move(5, 5);
  FormPlacement(&otherForm, "TOtherForm").restore();
  EXPECT_EQ(otherForm.pos(), QPoint(0, 0));
  EXPECT_TRUE(std::filesystem::exists(configHome / "Tarvel" / "placement.ini"));
}

}  // namespace
}  // namespace tarvel::platform
