#include "autoquery/ui/station_frame/azs_frame.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "autoquery/ui/station_frame/image_list.h"
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

// A frame on its own, in a window of its own: the office window is not needed to show one.
class AzsFrameTest : public ::testing::Test {
 protected:
  AzsFrameTest() {
    window.resize(300, 200);
    item.Index = 2;
    item.AZSName = platform::fromUnicode(QString::fromUtf8("АЗС №3 Южная"));
    frame.setAZSIndex(2);
    frame.RefreshFrame(item);
  }

  testing::RecordedApplicationErrors reportedErrors;
  ImageList images;
  QWidget window;
  TAZSFrame frame{images, &window};
  TAzsItem item;
};

TEST_F(AzsFrameTest, StandsAtItsIndexAndShowsTheStationsName) {
  EXPECT_EQ(frame.geometry(), QRect(0, 95, 175, 40));
  EXPECT_EQ(frame.lbAZSname->text(), QString::fromUtf8("АЗС №3 Южная"));
  // On a panel of button colour a label is drawn in the button's text colour: blue there too.
  EXPECT_EQ(frame.lbAZSname->palette().color(frame.lbAZSname->foregroundRole()), QColor(Qt::blue));
  for (const char* name : {"Panel1", "lbAZSname", "Bevel1", "Image1", "Bevel2"}) {
    EXPECT_NE(frame.findChild<QWidget*>(name), nullptr) << name;
  }
}

TEST_F(AzsFrameTest, PictureAndDescriptionShowPollingStateAndConnectionType) {
  struct Case {
    bool enable;
    int32_t connType;
    int statusIcon;
    int connectionIcon;
    const char* description;
  };
  const Case cases[] = {
      {true, 1, IconIndex::PollingOn, IconIndex::Modem, "Автозапрос включен, модемное соединение"},
      {false, 2, IconIndex::PollingOff, IconIndex::Mail, "Автозапрос отключен, электронная почта"},
      {true, 3, IconIndex::PollingOn, IconIndex::DirectIp,
       "Автозапрос включен, прямое IP соединение"},
      // A connection type the office does not know shows the status icon in both halves.
      {false, 7, IconIndex::PollingOff, IconIndex::PollingOff,
       "Автозапрос отключен, неизвестный вид связи"},
      {true, 0, IconIndex::PollingOn, IconIndex::PollingOn,
       "Автозапрос включен, неизвестный вид связи"},
  };
  const QRgb panel = frame.Panel1->palette().color(QPalette::Button).rgb();
  for (const Case& c : cases) {
    item.Enable = c.enable;
    item.ConnType = c.connType;
    frame.RefreshFrame(item);
    const QImage& picture = frame.picture();
    ASSERT_EQ(picture.size(), QSize(38, 38));
    EXPECT_TRUE(showsIcon(picture, 0, images.image(c.statusIcon), panel)) << c.connType;
    EXPECT_TRUE(showsIcon(picture, 19, images.image(c.connectionIcon), panel)) << c.connType;
    // The rest of the picture is the panel's colour: the icons' white became transparent.
    EXPECT_EQ(picture.pixel(37, 37), panel);
    EXPECT_EQ(picture.pixel(0, 0), panel);
    EXPECT_EQ(frame.accessibleName(), QString::fromUtf8("АЗС №3 Южная"));
    EXPECT_EQ(frame.accessibleDescription(), QString::fromUtf8(c.description));
  }
}

TEST_F(AzsFrameTest, ClicksAndEnterOrSpaceAskForTheEditorOfTheFramesIndex) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QSignalSpy requests(&frame, &TAZSFrame::FrameClick);
  QTest::mouseClick(frame.lbAZSname, Qt::LeftButton);
  QTest::mouseClick(frame.Image1, Qt::LeftButton);
  QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(172, 20));
  QTest::mouseClick(&frame, Qt::RightButton);
  EXPECT_EQ(requests.size(), 3);
  frame.setFocus();
  QTest::keyClick(&frame, Qt::Key_Return);
  QTest::keyClick(&frame, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(&frame, Qt::Key_Space);
  QTest::keyClick(&frame, Qt::Key_A);
  QTest::keyClick(&frame, Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(requests.size(), 6);
  for (const auto& request : requests) EXPECT_EQ(request.at(0).value<int32_t>(), 2);
}

TEST_F(AzsFrameTest, FocusIsMarkedWithoutMovingAnythingOfTheFrame) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QWidget elsewhere(&window);
  elsewhere.setFocusPolicy(Qt::StrongFocus);
  elsewhere.setGeometry(200, 0, 10, 10);
  elsewhere.show();
  elsewhere.setFocus();
  const auto places = [this] {
    QList<QRect> geometries{frame.geometry()};
    for (QWidget* child : frame.findChildren<QWidget*>()) geometries << child->geometry();
    return geometries;
  };
  const QList<QRect> placesWithoutFocus = places();
  const QImage withoutFocus = frame.grab().toImage();

  QTest::keyClick(&elsewhere, Qt::Key_Backtab);
  ASSERT_TRUE(frame.hasFocus()) << "the frame takes the focus by Tab";
  const QImage withFocus = frame.grab().toImage();
  EXPECT_EQ(places(), placesWithoutFocus);
  ASSERT_EQ(withFocus.size(), withoutFocus.size());
  // Only the ring just inside Panel1's outline changes; the name and the picture do not.
  for (int y = 0; y < withFocus.height(); ++y) {
    for (int x = 0; x < withFocus.width(); ++x) {
      const bool ring =
          (x == 1 || x == 171 || y == 1 || y == 38) && x >= 1 && x <= 171 && y >= 1 && y <= 38;
      if (!ring) {
        ASSERT_EQ(withFocus.pixel(x, y), withoutFocus.pixel(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_NE(withFocus, withoutFocus) << "the focus shows";
}

}  // namespace
}  // namespace tarvel::autoquery
