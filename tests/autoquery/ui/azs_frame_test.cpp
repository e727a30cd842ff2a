#include "autoquery/ui/azs_frame.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "autoquery/core/auto_azs.h"
#include "autoquery/ui/auto_zapros_office_form.h"
#include "platform/cp1251.h"
#include "support/recorded_errors.h"

namespace tarvel::autoquery {
namespace {

// Whether the 19 x 19 square at left of the picture shows the icon drawn with white as the
// transparent colour over the background.
bool showsIcon(const QImage& picture, int left, const QImage& icon, QRgb background) {
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const QRgb iconPixel = icon.pixel(x, y) | 0xFF000000u;
      const QRgb expected = iconPixel == qRgb(255, 255, 255) ? background : iconPixel;
      if ((picture.pixel(left + x, y) | 0xFF000000u) != expected) return false;
    }
  }
  return true;
}

class AzsFrameTest : public ::testing::Test {
 protected:
  testing::RecordedApplicationErrors reportedErrors;
  TAutoZaprosOfficeForm form;
  tAutoAZS registry{form.viewFactory()};

  TAZSFrame& frameOf(TAzsItem& item) { return dynamic_cast<TAZSFrame&>(*item.Frame); }
};

TEST_F(AzsFrameTest, FramesStandInTheScrollBoxAtTheirIndexAndShowTheirName) {
  for (int n = 0; n < 3; ++n) registry.Add();
  TAzsItem& third = registry.Items(2);
  third.AZSName = platform::fromUnicode(QString::fromUtf8("АЗС №3 Южная"));
  third.RefreshFrame();

  TAZSFrame& frame = frameOf(third);
  EXPECT_TRUE(form.ScrollBox1->widget()->isAncestorOf(&frame));
  EXPECT_EQ(frame.geometry(), QRect(0, 95, 175, 40));
  EXPECT_EQ(frame.lbAZSname->text(), QString::fromUtf8("АЗС №3 Южная"));
  // On a panel of button colour a label is drawn in the button's text colour: blue there too.
  EXPECT_EQ(frame.lbAZSname->palette().color(frame.lbAZSname->foregroundRole()), QColor(Qt::blue));
  for (const char* name : {"Panel1", "lbAZSname", "Bevel1", "Image1", "Bevel2"}) {
    EXPECT_NE(frame.findChild<QWidget*>(name), nullptr) << name;
  }
}

TEST_F(AzsFrameTest, PictureShowsStatusAndConnectionIconsOnThePanelColour) {
  struct Case {
    bool enable;
    int32_t connType;
    int statusIcon;
    int connectionIcon;
  };
  const Case cases[] = {
      {true, 1, IconIndex::PollingOn, IconIndex::Modem},
      {false, 2, IconIndex::PollingOff, IconIndex::Mail},
      {true, 3, IconIndex::PollingOn, IconIndex::DirectIp},
      // A connection type the office does not know shows the status icon in both halves.
      {false, 7, IconIndex::PollingOff, IconIndex::PollingOff},
      {true, 0, IconIndex::PollingOn, IconIndex::PollingOn},
  };
  TAzsItem& item = registry.Add();
  const QRgb panel = frameOf(item).Panel1->palette().color(QPalette::Button).rgb();
  for (const Case& c : cases) {
    item.Enable = c.enable;
    item.ConnType = c.connType;
    item.RefreshFrame();
    const QImage& picture = frameOf(item).picture();
    ASSERT_EQ(picture.size(), QSize(38, 38));
    EXPECT_TRUE(showsIcon(picture, 0, form.ImageList1.image(c.statusIcon), panel)) << c.connType;
    EXPECT_TRUE(showsIcon(picture, 19, form.ImageList1.image(c.connectionIcon), panel))
        << c.connType;
    // The rest of the picture is the panel's colour: the icons' white became transparent.
    EXPECT_EQ(picture.pixel(37, 37), panel);
    EXPECT_EQ(picture.pixel(0, 0), panel);
  }
}

TEST_F(AzsFrameTest, ClicksOnFrameNameOrPictureReportTheFramesIndex) {
  for (int n = 0; n < 2; ++n) {
    TAzsItem& item = registry.Add();
    item.Frame->setAZSIndex(n);
    item.Frame->setVisible(true);
    item.RefreshFrame();
  }
  form.show();
  QSignalSpy clicks(&form, &TAutoZaprosOfficeForm::FrameClicked);
  TAZSFrame& second = frameOf(registry.Items(1));
  QTest::mouseClick(second.lbAZSname, Qt::LeftButton);
  QTest::mouseClick(second.Image1, Qt::LeftButton);
  QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(172, 20));
  QTest::mouseClick(&second, Qt::RightButton);
  ASSERT_EQ(clicks.size(), 3);
  for (const auto& click : clicks) EXPECT_EQ(click.at(0).value<int32_t>(), 1);
}

TEST_F(AzsFrameTest, OfficeWindowIsHiddenAndTicksEveryThirtySecondsThroughTheGuard) {
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.TimerSend->isActive());
  EXPECT_EQ(form.TimerSend->interval(), 30'000);

  form.TimerSendTimer();  // no tick action yet: nothing happens
  int ticks = 0;
  form.setTickAction([&] {
    if (++ticks == 2) throw std::runtime_error("host failed");
  });
  form.TimerSendTimer();
  form.TimerSendTimer();
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_EQ(reportedErrors.messages[0], "host failed");
}

TEST_F(AzsFrameTest, FramesOutliveTheWindowWithoutBeingFreedTwice) {
  auto window = std::make_unique<TAutoZaprosOfficeForm>();
  tAutoAZS items(window->viewFactory());
  items.Add().RefreshFrame();
  window.reset();
  // The item still owns its frame, now outside any window; freeing it must not crash.
  EXPECT_EQ(frameOf(items.Items(0)).parentWidget(), nullptr);
  items.Delete(0);
  EXPECT_EQ(items.Count(), 0);
}

}  // namespace
}  // namespace tarvel::autoquery
