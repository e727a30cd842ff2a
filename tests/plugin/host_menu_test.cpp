#include "plugin/ui/host_menu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

#include "autosend/ui/auto_send_form.h"
#include "media/ui/flashka_form.h"
#include "plugin/core/exchange_log.h"
#include "plugin/plugin_fixture.h"
#include "plugin/ui/module_state.h"
#include "security/ui/security_form.h"

namespace tarvel::testing {
namespace {

using ::testing::ElementsAre;

const std::string kStationTop =
    "\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec";  // Связь с о&фисом
const std::string kOfficeTop = "\xd1\xe2\xff\xe7\xfc";      // Связь
const std::string kSettings = "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8";  // Настройки
const std::string kSecurity =  // Безопасность соединения
    "\xc1\xe5\xe7\xee\xef\xe0\xf1\xed\xee\xf1\xf2\xfc \xf1\xee\xe5\xe4\xe8\xed\xe5\xed\xe8\xff";
const std::string kRename =
    "\xd1\xec\xe5\xed\xe0 \xed\xe0\xe7\xe2\xe0\xed\xe8\xff \xc0\xc7\xd1";  // Смена названия АЗС
const std::string kAutoSend =  // Автоматическая отправка
    "\xc0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0";
const std::string kMedium =
    "\xd1\xec\xe5\xed\xed\xfb\xe9 \xed\xee\xf1\xe8\xf2\xe5\xeb\xfc";  // Сменный носитель
const std::string kAutoQuery = kAutoSend + " \xe7\xe0\xef\xf0\xee\xf1\xe0";  // ... запроса

class HostMenu : public PluginTest {
 protected:
  FakeMenuItem* settingsMenu(const std::string& top) {
    FakeMenuItem* topMenu = host.mainMenu.findChild(top);
    return topMenu != nullptr ? topMenu->findChild(kSettings) : nullptr;
  }
  // "caption/helpContext/clickable" of each child.
  static std::vector<std::string> describe(const FakeMenuItem& menu) {
    std::vector<std::string> items;
    for (int32_t index = 0; index < menu.count(); ++index) {
      const FakeMenuItem& item = *menu.child(index);
      items.push_back(item.caption() + "/" + std::to_string(item.helpContext()) +
                      (item.hasClickHandler() ? "/click" : ""));
    }
    return items;
  }
};

TEST_F(HostMenu, StationGetsItsMenuWithTheRenameCommandWhenTheHostAllowsIt) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(0);
  ASSERT_EQ(load(0), 0);
  ASSERT_EQ(host.mainMenu.count(), 1);
  EXPECT_THAT(describe(*host.mainMenu.child(0)), ElementsAre(kSettings + "/78", "-/0"));
  EXPECT_THAT(describe(*settingsMenu(kStationTop)),
              ElementsAre(kSecurity + "/0/click", kRename + "/0/click", "-/0",
                          kAutoSend + "/78/click", "-/0", kMedium + "/78/click"));
  EXPECT_EQ(host.mainMenu.child(0)->helpContext(), 78);
  const FakeMenuItem* first = settingsMenu(kStationTop)->child(0);
  EXPECT_EQ(first->hint(), "");
  EXPECT_EQ(first->shortCut(), 0);
}

TEST_F(HostMenu, StationWithoutRenameWhenTheInstallationKindIsNotZero) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(2);
  ASSERT_EQ(load(0), 0);
  EXPECT_THAT(describe(*settingsMenu(kStationTop)),
              ElementsAre(kSecurity + "/0/click", "-/0", kAutoSend + "/78/click", "-/0",
                          kMedium + "/78/click"));
}

TEST_F(HostMenu, OfficeGetsItsOwnMenu) {
  ASSERT_EQ(load(1), 0);
  ASSERT_NE(settingsMenu(kOfficeTop), nullptr);
  EXPECT_THAT(
      describe(*settingsMenu(kOfficeTop)),
      ElementsAre(kSecurity + "/0/click", kAutoQuery + "/0/click", "-/0", kMedium + "/78/click"));
}

TEST_F(HostMenu, FindsTheHostsOwnMenusWhateverTheirCaseAndAccelerators) {
  host.mainMenu.addChild("\xd4\xe0\xe9\xeb");  // Файл
  FakeMenuItem* hostTop = host.mainMenu.addChild(
      "\xd1\xc2\xdf\xc7\xdc \xd1 \xce\xd4&\xc8\xd1\xce\xcc");  // СВЯЗЬ С ОФ&ИСОМ
  FakeMenuItem* hostSettings =
      hostTop->addChild("&\xcd\xc0\xd1\xd2\xd0\xce\xc9\xca\xc8");  // &НАСТРОЙКИ
  hostSettings->addChild("host's own");
  ASSERT_EQ(load(0), 0);
  EXPECT_EQ(host.mainMenu.count(), 2);
  EXPECT_EQ(hostTop->count(), 1) << "no new submenu and no separator";
  EXPECT_EQ(hostSettings->child(0)->caption(), "host's own");
  EXPECT_EQ(hostSettings->child(1)->caption(), kSecurity);
}

TEST_F(HostMenu, ASecondCallAddsTheCommandsAgainUnderTheSameMenus) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(1);
  ASSERT_EQ(load(0), 0);
  plugin::addMenus();
  EXPECT_EQ(host.mainMenu.count(), 1);
  EXPECT_EQ(host.mainMenu.child(0)->count(), 2);
  EXPECT_EQ(settingsMenu(kStationTop)->count(), 10);
}

TEST_F(HostMenu, OutsideLoadAndUnLoadNothingIsAdded) {
  plugin::addMenus();
  ASSERT_EQ(load(0), 0);
  ASSERT_EQ(unload(), 0);
  const int32_t itemsAfterUnLoad = settingsMenu(kStationTop)->count();
  plugin::addMenus();
  EXPECT_EQ(settingsMenu(kStationTop)->count(), itemsAfterUnLoad);
}

TEST_F(HostMenu, OtherModesAddNothing) {
  ASSERT_EQ(load(7), 0);
  EXPECT_EQ(host.mainMenu.count(), 0);
  plugin::addMenus();
  EXPECT_EQ(host.mainMenu.count(), 0);
}

TEST_F(HostMenu, AFailureIsWrittenToTheExchangeLogAndLoadGoesOn) {
  host.newMenuItemsBeforeFailure = 4;
  ASSERT_EQ(load(0), 0);
  EXPECT_EQ(settingsMenu(kStationTop)->count(), 1) << "the entries added so far stay";
  const std::string log =
      TemporaryInstallation::readFile(installation.root() / "FSYS" / "Modem.LOG");
  EXPECT_THAT(log,
              ::testing::EndsWith(" - \xce\xf8\xe8\xe1\xea\xe0 \xe7\xe0\xe3\xf0\xf3\xe7\xea\xe8 "
                                  "Tarvel.dll menu is full\r\n"));
  EXPECT_EQ(log.size(), 23u + 3u + 39u + 2u) << "exactly one line";
  EXPECT_EQ(siblingCalls().back(), "Zumbra.dll PrepareDataZumbra(4321,0,callback)");
}

TEST_F(HostMenu, ANullMenuFromTheHostIsLoggedLikeAnyFailureAndLoadGoesOn) {
  const struct {
    const char* name;
    std::function<void(FakeHost&)> arrange;
    const char* loggedText;
  } cases[] = {
      {"no main menu", [](FakeHost& fake) { fake.noMainMenu = true; },
       "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0 \xed\xe5 \xef\xe5\xf0\xe5\xe4\xe0\xeb\xe0 "
       "\xe3\xeb\xe0\xe2\xed\xee\xe5 \xec\xe5\xed\xfe"},  // Программа не передала главное меню
      {"no new item", [](FakeHost& fake) { fake.newMenuItemsBeforeNull = 2; },
       "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0 \xed\xe5 \xf1\xee\xe7\xe4\xe0\xeb\xe0 "
       "\xef\xf3\xed\xea\xf2 \xec\xe5\xed\xfe"},  // Программа не создала пункт меню
      {"empty child", [](FakeHost& fake) { fake.mainMenu.addMissingChild(); },
       "\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0 \xef\xe5\xf0\xe5\xe4\xe0\xeb\xe0 "
       "\xef\xf3\xf1\xf2\xee\xe9 \xef\xf3\xed\xea\xf2 \xec\xe5\xed\xfe"},  // ... пустой пункт меню
  };
  const auto log = installation.root() / "FSYS" / "Modem.LOG";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(log);
    FakeHost fake;
    c.arrange(fake);
    ASSERT_EQ(plugin::load(4321, 0, &fake), 0);
    EXPECT_THAT(TemporaryInstallation::readFile(log),
                ::testing::EndsWith(std::string(" - \xce\xf8\xe8\xe1\xea\xe0 "
                                                "\xe7\xe0\xe3\xf0\xf3\xe7\xea\xe8 Tarvel.dll ") +
                                    c.loggedText + "\r\n"));
    EXPECT_EQ(siblingCalls().back(), "Zumbra.dll PrepareDataZumbra(4321,0,callback)");
    ASSERT_EQ(plugin::unload(), 0);
  }
}

TEST_F(HostMenu, AFailureThatCannotBeLoggedEndsLoad) {
  host.newMenuItemsBeforeFailure = 0;
  std::filesystem::create_directory(installation.root() / "FSYS" / "Modem.LOG");
  EXPECT_EQ(load(0), 1);
}

TEST_F(HostMenu, RenameWritesTheConfirmedNameUnchecked) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(0);
  ASSERT_EQ(load(0), 0);
  FakeMenuItem* rename = settingsMenu(kStationTop)->child(1);
  dialogs.inputAnswers = {std::string("\xcd\xee\xe2\xee\xe5 \xe8\xec\xff"), std::nullopt,
                          std::string()};  // Новое имя, cancelled, empty
  ASSERT_TRUE(rename->click());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title,
            "\xd3\xea\xe0\xe6\xe8\xf2\xe5 \xed\xee\xe2\xee\xe5 \xed\xe0\xe7\xe2\xe0\xed\xe8\xe5 "
            "\xc0\xc7\xd1");
  EXPECT_EQ(dialogs.asked[0].initialText, host.stationName);
  EXPECT_EQ(installation.settingsText(), "[PORT]\r\nNAME=\xcd\xee\xe2\xee\xe5 \xe8\xec\xff\r\n");

  ASSERT_TRUE(rename->click());  // cancelled: nothing written
  EXPECT_EQ(installation.settingsText(), "[PORT]\r\nNAME=\xcd\xee\xe2\xee\xe5 \xe8\xec\xff\r\n");

  ASSERT_TRUE(rename->click());  // confirmed empty
  EXPECT_EQ(installation.settingsText(), "[PORT]\r\nNAME=\r\n");
}

TEST_F(HostMenu, CommandsOpenTheirWindows) {
  ASSERT_EQ(load(0), 0);
  FakeMenuItem* settings = settingsMenu(kStationTop);
  ASSERT_TRUE(settings->findChild(kSecurity)->click());
  ASSERT_NE(plugin::moduleState().securityForm, nullptr);
  EXPECT_TRUE(plugin::moduleState().securityForm->isVisible());

  ASSERT_TRUE(settings->findChild(kAutoSend)->click());
  EXPECT_TRUE(plugin::moduleState().autoSendForm->isVisible());

  // The removable-media dialog is modal: close it from inside its own loop.
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    wasModal = modal == plugin::moduleState().flashkaForm.get();
    if (modal != nullptr) modal->close();
  });
  ASSERT_TRUE(settings->findChild(kMedium)->click());
  EXPECT_TRUE(wasModal);
}

TEST_F(HostMenu, WindowsMadeAtLoadBelongToTheHostsWindowShownSinceWhichMayGoFirst) {
  ASSERT_EQ(load(0), 0);
  auto hostWindow = std::make_unique<QMainWindow>();
  hostWindow->show();
  FakeMenuItem* settings = settingsMenu(kStationTop);
  ASSERT_TRUE(settings->findChild(kAutoSend)->click());
  QWidget& autoSend = *plugin::moduleState().autoSendForm;
  EXPECT_EQ(autoSend.windowHandle()->transientParent(), hostWindow->windowHandle());
  autoSend.hide();

  QWindow* mediumOwner = nullptr;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      mediumOwner = modal->windowHandle()->transientParent();
      modal->close();
    }
  });
  ASSERT_TRUE(settings->findChild(kMedium)->click());
  EXPECT_EQ(mediumOwner, hostWindow->windowHandle());

  // The host's window goes first; shown again, the window belongs to none.
  hostWindow.reset();
  ASSERT_TRUE(settings->findChild(kAutoSend)->click());
  EXPECT_EQ(autoSend.windowHandle()->transientParent(), nullptr);
  EXPECT_EQ(unload(), 0);
}

TEST_F(HostMenu, AutoQueryShowsTheOfficeWindowModallyOrTellsWhyThereIsNone) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(1);
  ASSERT_EQ(load(1), 0);
  ASSERT_TRUE(settingsMenu(kOfficeTop)->findChild(kAutoQuery)->click());
  ASSERT_EQ(unload(), 0);
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  // No database connection text: the window reports that and opens without the embedded engine,
  // whose thread-local storage the leak checker of a sanitized build trips over in this program
  // (it loads and unloads the stand-in siblings around it); the office window's own tests open
  // real databases.
  host.commandAnswers[HostCommand::DatabaseConnection] = HostVariant::null();
  ASSERT_EQ(load(1), 0);
  // The second Load appends its own items after the first one's, which UnLoad left inert.
  FakeMenuItem* secondAutoQuery = settingsMenu(kOfficeTop)->child(5);
  ASSERT_EQ(secondAutoQuery->caption(), kAutoQuery);
  ASSERT_TRUE(secondAutoQuery->click());
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[0].kind, "message");
  EXPECT_THAT(dialogs.asked[0].text,
              ::testing::HasSubstr(
                  "(\xf2\xe8\xef \xf3\xf1\xf2\xe0\xed\xee\xe2\xea\xe8 3)"));  // (тип установки 3)
  EXPECT_EQ(dialogs.asked[1].kind, "modal");
  EXPECT_EQ(dialogs.asked[1].text, "TAutoZaprosOfficeForm");
}

TEST_F(HostMenu, ClicksAfterUnLoadDoNothing) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(0);
  ASSERT_EQ(load(0), 0);
  FakeMenuItem* settings = settingsMenu(kStationTop);
  ASSERT_EQ(unload(), 0);
  for (int32_t index = 0; index < settings->count(); ++index) {
    EXPECT_FALSE(settings->child(index)->click()) << settings->child(index)->caption();
  }
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_EQ(plugin::moduleState().securityForm, nullptr);
}

TEST_F(HostMenu, AnErrorInACommandGoesToTheApplicationHandler) {
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(0);
  ASSERT_EQ(load(0), 0);
  std::filesystem::remove_all(installation.root() / "WINDOWS");
  dialogs.inputAnswers = {std::string("x")};
  ASSERT_TRUE(settingsMenu(kStationTop)->child(1)->click());
  EXPECT_EQ(applicationErrors.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvel::testing
