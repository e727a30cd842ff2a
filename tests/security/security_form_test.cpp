#include "security/ui/security_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "support/recorded_errors.h"
#include "support/temporary_installation.h"
#include "support/user_actions.h"

namespace tarvel::security {
namespace {

using testing::TemporaryInstallation;

class SecurityFormTest : public ::testing::Test {
 protected:
  TemporaryInstallation installation;
  settings::ConnectionSecurity security;
  testing::RecordedApplicationErrors reportedErrors;
};

TEST_F(SecurityFormTest, ShowingFillsTheControlsAndTheSwitchShowsThePassword) {
  security = {true, "\xcf\xe0\xf0\xee\xeb\xfc"};  // "Пароль"
  TSecurityForm form(security);
  form.show();

  EXPECT_EQ(form.edPass->text(), QString::fromUtf8("Пароль"));
  EXPECT_EQ(form.edPass->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(form.cb_EnPass->isChecked());
  EXPECT_TRUE(form.edPass->isEnabled());

  testing::clickButton(*form.CheckBox1);
  EXPECT_EQ(form.edPass->echoMode(), QLineEdit::Normal);
  testing::clickButton(*form.CheckBox1);
  EXPECT_EQ(form.edPass->echoMode(), QLineEdit::Password);
}

TEST_F(SecurityFormTest, PasswordShowsAnAsteriskForEachCharacter) {
  security = {true, "\xcf\xe0\xf0\xee\xeb\xfc"};  // "Пароль"
  TSecurityForm form(security);
  form.show();
  EXPECT_EQ(form.edPass->displayText(), "******");
  QTest::keyClicks(form.edPass, "x1");
  EXPECT_EQ(form.edPass->displayText(), "********");
  testing::clickButton(*form.CheckBox1);
  EXPECT_EQ(form.edPass->displayText(), QString::fromUtf8("Парольx1"));
}

TEST_F(SecurityFormTest, EditBoxStaysEnabledAtFirstShowingWithPasswordOffThenFollowsTheSwitch) {
  TSecurityForm form(security);
  form.show();
  EXPECT_FALSE(form.cb_EnPass->isChecked());
  EXPECT_TRUE(form.edPass->isEnabled());

  testing::clickButton(*form.cb_EnPass);
  EXPECT_TRUE(form.edPass->isEnabled());
  testing::clickButton(*form.cb_EnPass);
  EXPECT_FALSE(form.edPass->isEnabled());

  // Shown again with the password on, the change of state enables the edit box once more.
  form.close();
  security.PasswordEnable = true;
  form.show();
  EXPECT_TRUE(form.edPass->isEnabled());
}

TEST_F(SecurityFormTest, ApplyKeepsTenCharactersAndStoresThemScrambled) {
  TSecurityForm form(security);
  form.show();
  testing::clickButton(*form.cb_EnPass);
  testing::typeInto(*form.edPass, QString::fromUtf8("абвгдеёжзийк"));
  testing::clickButton(*form.BitBtn1);

  const std::string firstTen = "\xe0\xe1\xe2\xe3\xe4\xe5\xb8\xe6\xe7\xe8";  // "абвгдеёжзи"
  EXPECT_EQ(security.ConnectionPassword, firstTen);
  EXPECT_TRUE(security.PasswordEnable);
  EXPECT_EQ(installation.settingsText(),
            "[Inet]\r\nPassword=F6E9F5F1FBF3ABFFE2F7\r\nPasswordEnable=1\r\n");
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(reportedErrors.messages.empty());

  form.show();
  EXPECT_EQ(form.edPass->text(), QString::fromUtf8("абвгдеёжзи"));
  EXPECT_TRUE(form.cb_EnPass->isChecked());
}

TEST_F(SecurityFormTest, ApplyWithAnEmptyPasswordWritesAnEmptyValue) {
  installation.writeSettings("[Inet]\r\nPassword=574A54565A5054514C55\r\nPasswordEnable=1\r\n");
  security = {true, "ABCDEFGHIJ"};
  TSecurityForm form(security);
  form.show();
  form.edPass->clear();
  testing::clickButton(*form.cb_EnPass);
  testing::clickButton(*form.BitBtn1);

  EXPECT_EQ(security.ConnectionPassword, "");
  EXPECT_FALSE(security.PasswordEnable);
  EXPECT_EQ(installation.settingsText(), "[Inet]\r\nPassword=\r\nPasswordEnable=0\r\n");
}

TEST_F(SecurityFormTest, CancelAndEscapeCloseWithoutStoring) {
  const std::vector<std::pair<const char*, std::function<void(TSecurityForm&)>>> closers = {
      {"cancel button", [](TSecurityForm& form) { testing::clickButton(*form.BitBtn2); }},
      {"Esc key", [](TSecurityForm& form) { QTest::keyClick(form.edPass, Qt::Key_Escape); }},
  };
  for (const auto& [name, closeForm] : closers) {
    SCOPED_TRACE(name);
    security = {false, "old"};
    TSecurityForm form(security);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    testing::clickButton(*form.cb_EnPass);
    testing::typeInto(*form.edPass, "new password");
    closeForm(form);

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(security.ConnectionPassword, "old");
    EXPECT_FALSE(security.PasswordEnable);
    EXPECT_FALSE(std::filesystem::exists(installation.settingsFile()));

    form.show();
    EXPECT_EQ(form.edPass->text(), "old");
    EXPECT_FALSE(form.cb_EnPass->isChecked());
  }
}

TEST_F(SecurityFormTest, WriteErrorReachesTheErrorHandlerAndKeepsTheDialogOpen) {
  std::filesystem::remove_all(installation.root() / "WINDOWS");
  TSecurityForm form(security);
  form.show();
  testing::clickButton(*form.cb_EnPass);
  testing::typeInto(*form.edPass, "secret");
  testing::clickButton(*form.BitBtn1);

  EXPECT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_TRUE(form.isVisible());
  // The values were taken into memory before the write failed.
  EXPECT_EQ(security.ConnectionPassword, "secret");
  EXPECT_TRUE(security.PasswordEnable);
}

TEST_F(SecurityFormTest, CaptionsFitTheirPlaces) {
  TSecurityForm form(security);
  form.show();
  const std::vector<QWidget*> captioned = {form.cb_EnPass, form.CheckBox1, form.BitBtn1,
                                           form.BitBtn2};
  for (QWidget* widget : captioned) {
    SCOPED_TRACE(widget->objectName().toStdString());
    EXPECT_LE(widget->sizeHint().width(), widget->width());
  }
  EXPECT_LE(form.Label1->geometry().right(), form.edPass->geometry().left());
}

TEST_F(SecurityFormTest, PlacementIsRememberedForTheNextDialog) {
  {
    TSecurityForm form(security);
    form.show();
    form.move(120, 80);
    form.close();
  }
  // Where the window stands once shown: the window system puts it back by its client area.
  TSecurityForm again(security);
  again.show();
  EXPECT_EQ(again.pos(), QPoint(120, 80));
}

}  // namespace
}  // namespace tarvel::security
