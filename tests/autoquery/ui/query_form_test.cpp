#include "autoquery/ui/confirmation/query_form.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "platform/cp1251.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/user_actions.h"

namespace tarvel::autoquery {
namespace {

TQueryForm& asQueryForm(QDialog& dialog) { return dynamic_cast<TQueryForm&>(dialog); }

class QueryFormTest : public ::testing::Test {
 protected:
  testing::ScriptedDialogs dialogs;
  testing::RecordedApplicationErrors reportedErrors;
};

TEST_F(QueryFormTest, ShowsTheStationAndTheSecondsInItsOwnWindowAtTheTopLeftCorner) {
  dialogs.modalActions.push_back([](QDialog& dialog) {
    TQueryForm& form = asQueryForm(dialog);
    EXPECT_EQ(form.lbAZS->text(), QString::fromUtf8("АЗС №5"));
    EXPECT_EQ(form.lbS->text(), "20");
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_EQ(form.size(), QSize(401, 167));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 1000);
  });
  EXPECT_FALSE(ConfirmAutoQuery(platform::fromUnicode(QString::fromUtf8("АЗС №5")), 20));
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(platform::toUnicode(dialogs.asked[0].title),
            QString::fromUtf8("Подтверждение автозапроса на АЗС"));
}

TEST_F(QueryFormTest,
       NameLongerThanItsRoomWidensTheWindowUpToTheScreenThenIsShortenedButtonsFollowTheEdge) {
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  struct Case {
    QString name;
    bool shortened;
  };
  const Case cases[] = {
      {QString::fromUtf8("АЗС 5"), false},
      {QString::fromUtf8("АЗС №127 Северная объездная"), false},
      {QString::fromUtf8("АЗС ").repeated(60), true},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.name.toStdString());
    TQueryForm form;
    form.showStationName(each.name);
    form.show();
    EXPECT_EQ(form.height(), 167);
    EXPECT_GE(form.width(), 401);
    EXPECT_LE(form.width(), std::max(screenWidth, 401));
    EXPECT_LE(form.lbAZS->geometry().right(), form.width());
    const int fullWidth = QFontMetrics(form.lbAZS->font()).horizontalAdvance(each.name);
    EXPECT_GE(form.lbAZS->width(), each.shortened ? 0 : fullWidth);
    EXPECT_EQ(form.lbAZS->text() != each.name, each.shortened);
    EXPECT_EQ(form.lbAZS->toolTip(), each.shortened ? each.name : QString());
    // The buttons keep their distances from the right and bottom edges as drawn.
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(form.width() - (401 - 186), 134, 103, 30));
    EXPECT_EQ(form.BitBtn2->geometry(), QRect(form.width() - (401 - 295), 134, 102, 30));
  }
}

TEST_F(QueryFormTest, CountDownFromTwentyEndsWithPermissionAtTheTwentyFirstTick) {
  dialogs.modalActions.push_back([](QDialog& dialog) {
    TQueryForm& form = asQueryForm(dialog);
    for (int tick = 1; tick <= 20; ++tick) {
      form.Timer1Timer();
      ASSERT_TRUE(form.isVisible()) << "tick " << tick;
      EXPECT_EQ(form.lbS->text(), QString::number(20 - tick));
    }
    form.Timer1Timer();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.lbS->text(), "-1");
  });
  EXPECT_TRUE(ConfirmAutoQuery("A", 20));
}

TEST_F(QueryFormTest, ZeroOrNegativeSecondsEndWithPermissionAtTheFirstTick) {
  for (const int32_t seconds : {0, -5, INT32_MIN}) {
    dialogs.modalActions.push_back([](QDialog& dialog) { asQueryForm(dialog).Timer1Timer(); });
    EXPECT_TRUE(ConfirmAutoQuery("A", seconds)) << seconds;
  }
}

TEST_F(QueryFormTest, EnterAndApplyGivePermissionEscAndCancelRefuse) {
  struct Case {
    const char* name;
    std::function<void(TQueryForm&)> act;
    bool permitted;
  };
  const Case cases[] = {
      {"Enter", [](TQueryForm& form) { QTest::keyClick(&form, Qt::Key_Return); }, true},
      {"Apply", [](TQueryForm& form) { testing::clickButton(*form.BitBtn1); }, true},
      {"Esc", [](TQueryForm& form) { QTest::keyClick(&form, Qt::Key_Escape); }, false},
      {"Cancel after some ticks",
       [](TQueryForm& form) {
         form.Timer1Timer();
         form.Timer1Timer();
         testing::clickButton(*form.BitBtn2);
       },
       false},
  };
  for (const Case& c : cases) {
    dialogs.modalActions.push_back([&c](QDialog& dialog) {
      TQueryForm& form = asQueryForm(dialog);
      c.act(form);
      EXPECT_FALSE(form.isVisible()) << c.name;
    });
    EXPECT_EQ(ConfirmAutoQuery("A", 20), c.permitted) << c.name;
  }
  EXPECT_TRUE(reportedErrors.messages.empty());
}

}  // namespace
}  // namespace tarvel::autoquery
