// The host's menu items as the plug-in fills them in: made empty, captioned and given handlers
// afterwards, turned into submenus by their first child.
#include "host/menu_item.h"

#include <gtest/gtest.h>

#include <QMenuBar>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "support/recorded_errors.h"

namespace {

using tarvel::host::QtMenuItem;

class HostMenuItemAdapter : public ::testing::Test {
 protected:
  QMenuBar menuBar_;
  QtMenuItem root_{&menuBar_};
  tarvel::testing::RecordedApplicationErrors errors_;
};

TEST_F(HostMenuItemAdapter, CaptionSetAfterCreationReachesTheActionThroughTheCodec) {
  QtMenuItem* item = root_.insertChild(-1);
  item->setCaption("\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec");  // "Связь с о&фисом"
  EXPECT_EQ(item->caption(), "\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec");
  EXPECT_EQ(item->action()->text(), QString::fromUtf8("Связь с о&фисом"));
  ASSERT_EQ(menuBar_.actions().size(), 1);
  EXPECT_EQ(menuBar_.actions().first(), item->action());
}

TEST_F(HostMenuItemAdapter, CaptionsWithoutAnAltKeyGetOneNoOtherItemOfTheirMenuUses) {
  QtMenuItem* menu = root_.appendChild("menu");
  const struct {
    const char* utf8Caption;
    const char* shown;
  } items[] = {
      {"Безопасность соединения", "&Безопасность соединения"},
      {"Автоматическая отправка запроса", "&Автоматическая отправка запроса"},
      {"-", ""},
      {"Сменный носитель", "&Сменный носитель"},
      {"Сохранить", "С&охранить"},  // С is taken: the next free letter
      {"В&ыход", "В&ыход"},         // marked by its caption already
      {"Выход", "&Выход"},
  };
  for (const auto& item : items) {
    const std::string caption = tarvel::platform::fromUnicode(QString::fromUtf8(item.utf8Caption));
    QtMenuItem* added = menu->appendChild(caption);
    EXPECT_EQ(added->action()->text(), QString::fromUtf8(item.shown)) << item.shown;
    EXPECT_EQ(added->caption(), caption);
  }
}

TEST_F(HostMenuItemAdapter, DashCaptionMakesAnUntitledSeparator) {
  QtMenuItem* menu = root_.appendChild("menu");
  QtMenuItem* separator = menu->appendChild("-");
  EXPECT_TRUE(separator->action()->isSeparator());
  EXPECT_TRUE(separator->action()->text().isEmpty());
  EXPECT_EQ(separator->caption(), "-");
  separator->setCaption("x");
  EXPECT_FALSE(separator->action()->isSeparator());
}

TEST_F(HostMenuItemAdapter, PlainItemBecomesASubmenuWithItsFirstChild) {
  QtMenuItem* top = root_.appendChild("top");
  QtMenuItem* settings = top->appendChild("settings");
  EXPECT_EQ(settings->submenu(), nullptr);
  EXPECT_EQ(settings->action()->menu<QMenu*>(), nullptr);

  QtMenuItem* command = settings->appendChild("command");
  ASSERT_NE(settings->submenu(), nullptr);
  EXPECT_EQ(settings->action()->menu<QMenu*>(), settings->submenu());
  EXPECT_EQ(settings->submenu()->actions(), QList<QAction*>{command->action()});
  // The top menu's own actions are unchanged: still the one item.
  EXPECT_EQ(top->submenu()->actions(), QList<QAction*>{settings->action()});
}

TEST_F(HostMenuItemAdapter, ChildrenKeepTheirPositionsInCountItemAndTheMenu) {
  QtMenuItem* menu = root_.appendChild("menu");
  QtMenuItem* second = menu->appendChild("b");
  QtMenuItem* first = menu->insertChild(0);
  first->setCaption("a");
  QtMenuItem* last = menu->insertChild(99);
  last->setCaption("d");
  QtMenuItem* third = menu->insertChild(2);
  third->setCaption("c");

  ASSERT_EQ(menu->count(), 4);
  const std::vector<QtMenuItem*> expected = {first, second, third, last};
  QList<QAction*> expectedActions;
  for (int32_t index = 0; index < menu->count(); ++index) {
    EXPECT_EQ(menu->item(index), expected[static_cast<std::size_t>(index)]) << index;
    expectedActions << expected[static_cast<std::size_t>(index)]->action();
  }
  EXPECT_EQ(menu->submenu()->actions(), expectedActions);
  EXPECT_THROW(menu->item(4), std::out_of_range);
  EXPECT_THROW(menu->item(-1), std::out_of_range);
  EXPECT_EQ(root_.count(), 1);
}

TEST_F(HostMenuItemAdapter, TriggeringTheActionRunsTheHandlerUntilItIsCleared) {
  QtMenuItem* item = root_.appendChild("menu")->appendChild("command");
  int clicks = 0;
  item->setOnClick([&clicks] { ++clicks; });
  item->action()->trigger();
  item->action()->trigger();
  EXPECT_EQ(clicks, 2);

  item->setOnClick(nullptr);
  item->action()->trigger();
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(errors_.messages.empty());
}

TEST_F(HostMenuItemAdapter, HandlerErrorGoesToTheApplicationHandler) {
  QtMenuItem* item = root_.appendChild("menu")->appendChild("command");
  item->setOnClick([] { throw std::runtime_error("\xce\xf8\xe8\xe1\xea\xe0"); });  // "Ошибка"
  EXPECT_NO_THROW(item->action()->trigger());
  EXPECT_EQ(errors_.messages, std::vector<std::string>{"\xce\xf8\xe8\xe1\xea\xe0"});
}

TEST_F(HostMenuItemAdapter, HandlerMayReplaceItselfWhileRunning) {
  QtMenuItem* item = root_.appendChild("menu")->appendChild("command");
  std::vector<std::string> runs;
  const std::string kept = "first handler state";
  item->setOnClick([&, kept] {
    item->setOnClick([&runs] { runs.push_back("second"); });
    runs.push_back(kept);  // the running handler's captures are still alive
  });
  item->click();
  item->click();
  EXPECT_EQ(runs, (std::vector<std::string>{"first handler state", "second"}));
}

TEST_F(HostMenuItemAdapter, ClearClickHandlersReachesEveryLevel) {
  QtMenuItem* top = root_.appendChild("top");
  QtMenuItem* middle = top->appendChild("middle");
  QtMenuItem* leaf = middle->appendChild("leaf");
  for (QtMenuItem* item : {top, middle, leaf}) item->setOnClick([] {});
  root_.clearClickHandlers();
  for (QtMenuItem* item : {top, middle, leaf}) EXPECT_FALSE(item->hasClickHandler());
}

}  // namespace
