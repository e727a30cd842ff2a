// What a window of the plug-in gets as it is shown: the window it belongs to, and room for its
// title where Qt draws the title bar.
#include "platform/ui/window_showing.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMainWindow>
#include <QWindow>

#include "platform/ui/settings_dialog.h"
#include "platform/ui/title_width.h"

namespace tarvel::platform {
namespace {

QWindow* ownerOf(const QWidget& window) { return window.windowHandle()->transientParent(); }

TEST(WindowShowing, AWindowBelongsToItsOwnerElseTheModalWindowElseTheHostsMainWindow) {
  QMainWindow host;
  host.show();
  SettingsDialog dialog("TFirstForm", "", QSize(200, 100), Qt::Dialog);
  dialog.show();
  EXPECT_EQ(ownerOf(dialog), host.windowHandle());

  QDialog modal;
  modal.setWindowModality(Qt::ApplicationModal);
  modal.show();
  SettingsDialog overModal("TSecondForm", "", QSize(200, 100), Qt::Dialog);
  overModal.show();
  EXPECT_EQ(ownerOf(overModal), modal.windowHandle());

  SettingsDialog owned("TThirdForm", "", QSize(200, 100), Qt::Tool, &dialog);
  owned.show();
  EXPECT_EQ(ownerOf(owned), dialog.windowHandle());

  // Shown again while a window that belongs to it is the modal one: never a circle.
  modal.hide();
  owned.setWindowModality(Qt::ApplicationModal);
  owned.hide();
  owned.show();
  dialog.hide();
  dialog.show();
  EXPECT_NE(ownerOf(dialog), owned.windowHandle());
}

TEST(WindowShowing, ATitleBarDrawnInTheWindowWidensItForTheWholeTitle) {
  const QString title = QString::fromUtf8("Настройка автоматического запроса на АЗС");
  const int needed = widthForTitle(title);
  ASSERT_GT(needed, widthForTitle(title.left(5)));
  const struct {
    bool fixed;
    int width;
    bool drawnInWindow;
    int expected;
  } cases[] = {
      {true, 200, false, 200},
      {true, 200, true, needed},
      {false, 200, true, needed},
      {true, needed + 50, true, needed + 50},
  };
  for (const auto& test : cases) {
    QWidget window;
    window.setWindowTitle(title);
    if (test.fixed) {
      window.setFixedSize(test.width, 100);
    } else {
      window.resize(test.width, 100);
    }
    widenForTitle(window, test.drawnInWindow);
    EXPECT_EQ(window.width(), test.expected) << test.width << " " << test.drawnInWindow;
    EXPECT_EQ(window.minimumWidth() == window.maximumWidth(), test.fixed) << test.width;
  }
}

}  // namespace
}  // namespace tarvel::platform
