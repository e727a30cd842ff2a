#include "media/ui/flashka_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "media/ui/word_wrap_check_box.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_installation.h"
#include "support/user_actions.h"

namespace tarvel::media {
namespace {

using testing::ScriptedDialogs;
using testing::TemporaryInstallation;

class FlashkaFormTest : public ::testing::Test {
 protected:
  TemporaryInstallation installation;
  ScriptedDialogs dialogs;
  testing::RecordedApplicationErrors reportedErrors;
};

TEST_F(FlashkaFormTest, WithoutPortKeysShowsDriveAAndBothSwitchesClear) {
  TFlashkaForm form(0);
  form.open();

  EXPECT_EQ(form.eExDisk->text(), "A:\\");
  EXPECT_TRUE(form.pOnAZS->isVisible());
  EXPECT_FALSE(form.cbFromDisk->isChecked());
  EXPECT_FALSE(form.cbAddTovarUp->isChecked());
  EXPECT_TRUE(form.cbAddTovarUp->isEnabled());
}

TEST_F(FlashkaFormTest, StoredPathGetsItsClosingBackslashAndApplyStoresIt) {
  installation.writeSettings("[Port]\r\nExDisk=D:\\Exchange\r\n");
  TFlashkaForm form(0);
  form.open();
  EXPECT_EQ(form.eExDisk->text(), "D:\\Exchange\\");
  // Showing alone changes nothing in the file.
  EXPECT_EQ(installation.settingsText(), "[Port]\r\nExDisk=D:\\Exchange\r\n");

  testing::clickButton(*form.BitBtn1);

  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(installation.settingsText(),
            "[Port]\r\nExDisk=D:\\Exchange\\\r\nConfigFromDisk=0\r\nAutoAddTovarUp=0\r\n");
}

TEST_F(FlashkaFormTest, PathTypedWithoutBackslashIsStoredAsTyped) {
  TFlashkaForm form(0);
  form.open();
  testing::typeInto(*form.eExDisk, QString::fromUtf8("F:\\Обмен"));
  testing::clickButton(*form.cbFromDisk);
  testing::clickButton(*form.BitBtn1);

  EXPECT_EQ(
      installation.settingsText(),
      "[Port]\r\nExDisk=F:\\\xce\xe1\xec\xe5\xed\r\nConfigFromDisk=1\r\nAutoAddTovarUp=0\r\n");
}

TEST_F(FlashkaFormTest, RequestFileFromDiskDisablesTheSecondSwitchKeepingItsState) {
  installation.writeSettings("[Port]\r\nConfigFromDisk=1\r\nAutoAddTovarUp=1\r\n");
  TFlashkaForm form(0);
  form.open();

  EXPECT_TRUE(form.cbFromDisk->isChecked());
  EXPECT_FALSE(form.cbAddTovarUp->isEnabled());
  EXPECT_TRUE(form.cbAddTovarUp->isChecked());

  testing::clickButton(*form.cbFromDisk);
  EXPECT_TRUE(form.cbAddTovarUp->isEnabled());
  testing::clickButton(*form.cbFromDisk);
  EXPECT_FALSE(form.cbAddTovarUp->isEnabled());
}

TEST_F(FlashkaFormTest, StationSwitchesAreShownAndWrittenOnlyForModesZeroAndTwo) {
  struct Case {
    uint8_t mode;
    bool switchesShown;
    std::string fileAfterApply;
  };
  const std::string before = "[Port]\r\nNAME=x\r\nExDisk=B:\\\r\nConfigFromDisk=1\r\n";
  const std::vector<Case> cases = {
      {0, true, "[Port]\r\nNAME=x\r\nExDisk=B:\\\r\nConfigFromDisk=1\r\nAutoAddTovarUp=0\r\n"},
      {1, false, before},
      {2, true, "[Port]\r\nNAME=x\r\nExDisk=B:\\\r\nConfigFromDisk=1\r\nAutoAddTovarUp=0\r\n"},
      {3, false, before},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(static_cast<int>(testCase.mode));
    installation.writeSettings(before);
    TFlashkaForm form(testCase.mode);
    form.open();
    EXPECT_EQ(form.pOnAZS->isVisible(), testCase.switchesShown);
    testing::clickButton(*form.BitBtn1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(installation.settingsText(), testCase.fileAfterApply);
  }
}

TEST_F(FlashkaFormTest, EmptyStoredPathIsShownEmpty) {
  installation.writeSettings("[Port]\r\nExDisk=\r\n");
  TFlashkaForm form(0);
  form.open();
  EXPECT_EQ(form.eExDisk->text(), "");
}

TEST_F(FlashkaFormTest, CancelAndEscapeCloseWithoutSavingAndTheNextShowingRefills) {
  const std::vector<std::pair<const char*, std::function<void(TFlashkaForm&)>>> closers = {
      {"cancel button", [](TFlashkaForm& form) { testing::clickButton(*form.BitBtn2); }},
      {"Esc key", [](TFlashkaForm& form) { QTest::keyClick(form.eExDisk, Qt::Key_Escape); }},
  };
  const std::string stored = "[Port]\r\nExDisk=D:\\\r\n";
  for (const auto& [name, closeForm] : closers) {
    SCOPED_TRACE(name);
    installation.writeSettings(stored);
    TFlashkaForm form(0);
    form.open();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    testing::typeInto(*form.eExDisk, "Z:\\");
    testing::clickButton(*form.cbFromDisk);
    closeForm(form);

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(installation.settingsText(), stored);

    form.open();
    EXPECT_EQ(form.eExDisk->text(), "D:\\");
    EXPECT_FALSE(form.cbFromDisk->isChecked());
  }
}

TEST_F(FlashkaFormTest, ModalExecutionEndsWithApply) {
  TFlashkaForm form(0);
  QTimer::singleShot(0, &form, [&form] { testing::clickButton(*form.BitBtn1); });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_EQ(installation.settingsText(),
            "[Port]\r\nExDisk=A:\\\r\nConfigFromDisk=0\r\nAutoAddTovarUp=0\r\n");
}

TEST_F(FlashkaFormTest, FolderChoiceFillsTheEditBox) {
  const QString root = QString::fromStdString(installation.root().string());
  std::filesystem::create_directories(installation.root() / "FSYS" / "OUT");
  struct Case {
    const char* name;
    std::optional<std::string> answer;
    QString expectedEditText;
  };
  const std::vector<Case> cases = {
      {"root of drive E", "E:\\", "E:\\"},
      {"Windows path without backslash", "E:\\Data", "E:\\Data\\"},
      {"folder inside the installation", (root + "/FSYS/OUT").toStdString(), "C:\\FSYS\\OUT\\"},
      {"installation root itself", root.toStdString(), "C:\\"},
      {"folder elsewhere", "/media/usb", "/media/usb\\"},
      {"cancelled", std::nullopt, "D:\\Exchange\\"},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    installation.writeSettings("[Port]\r\nExDisk=D:\\Exchange\r\n");
    dialogs.asked.clear();
    dialogs.folderAnswers = {testCase.answer};
    TFlashkaForm form(0);
    form.open();
    testing::clickButton(*form.BitBtn3);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "folder");
    // "Выберите каталог, в котором будет расположен файл запроса"
    EXPECT_EQ(platform::toUnicode(dialogs.asked[0].text),
              QString::fromUtf8("Выберите каталог, в котором будет расположен файл запроса"));
    EXPECT_EQ(dialogs.asked[0].owner, &form);
    EXPECT_EQ(dialogs.asked[0].initialText, (root + "/Exchange").toStdString());
    EXPECT_EQ(form.eExDisk->text(), testCase.expectedEditText);
    // Nothing reaches the file before Apply.
    EXPECT_EQ(installation.settingsText(), "[Port]\r\nExDisk=D:\\Exchange\r\n");
  }
}

TEST_F(FlashkaFormTest, NativeFolderInTheEditBoxIsWhereTheBrowserStarts) {
  installation.writeSettings("[Port]\r\nExDisk=/media/usb\\\r\n");
  TFlashkaForm form(0);
  form.open();
  testing::clickButton(*form.BitBtn3);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].initialText, "/media/usb");
}

TEST_F(FlashkaFormTest, WriteErrorIsReportedAndTheDialogStillCloses) {
  TFlashkaForm form(0);
  form.open();
  std::filesystem::remove_all(installation.root() / "WINDOWS");
  testing::clickButton(*form.BitBtn1);

  EXPECT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_FALSE(std::filesystem::exists(installation.settingsFile()));
}

TEST_F(FlashkaFormTest, OneLineCaptionsFitTheirPlaces) {
  TFlashkaForm form(0);
  form.open();
  const std::vector<QWidget*> captioned = {form.Label1, form.cbFromDisk, form.BitBtn1,
                                           form.BitBtn2};
  for (QWidget* widget : captioned) {
    SCOPED_TRACE(widget->objectName().toStdString());
    EXPECT_LE(widget->sizeHint().width(), widget->width());
  }
}

TEST_F(FlashkaFormTest, WrappedSwitchShowsItsWholeCaptionAndTogglesOnIt) {
  TFlashkaForm form(0);
  form.open();
  WordWrapCheckBox* box = form.cbAddTovarUp;
  QLabel* caption = box->captionLabel();
  EXPECT_EQ(caption->text(), box->text());
  EXPECT_LE(caption->heightForWidth(caption->width()), box->height());

  QTest::mouseClick(box, Qt::LeftButton, {}, caption->geometry().center());
  EXPECT_TRUE(box->isChecked());

  testing::clickButton(*form.cbFromDisk);
  EXPECT_FALSE(caption->isEnabled());
  QTest::mouseClick(box, Qt::LeftButton, {}, caption->geometry().center());
  EXPECT_TRUE(box->isChecked());
}

}  // namespace
}  // namespace tarvel::media
