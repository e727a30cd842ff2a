// Finding a menu item by the captions a person types.
#include "host/menu_path.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"

namespace {

using tarvel::testing::FakeMenuItem;

class MenuPath : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.addChild("&\xd4\xe0\xe9\xeb");  // "&Файл"
    link_ =
        root_.addChild("\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec");  // "Связь с о&фисом"
    settings_ = link_->addChild("\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8");  // "Настройки"
    settings_->addChild("-");
    autoSend_ = settings_->addChild(
        "\xc0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5\xf1\xea\xe0\xff "
        "\xee\xf2\xef\xf0\xe0\xe2\xea\xe0");
    secondAutoSend_ = settings_->addChild(
        "\xc0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5\xf1\xea\xe0\xff "
        "\xee\xf2\xef\xf0\xe0\xe2\xea\xe0");
  }

  FakeMenuItem root_{"root"};
  FakeMenuItem* link_ = nullptr;
  FakeMenuItem* settings_ = nullptr;
  FakeMenuItem* autoSend_ = nullptr;
  FakeMenuItem* secondAutoSend_ = nullptr;
};

TEST_F(MenuPath, FindsByCaptionsWithoutMarkersCaseOrOuterSpaces) {
  struct Case {
    const char* path;
    int expected;  // 0 none, 1 link, 2 settings, 3 the first auto-send item
  };
  const Case cases[] = {
      {"Связь с офисом", 1},
      {"Связь с о&фисом", 1},
      {"Связь с &Офисом", 1},
      {"СВЯЗЬ С ОФИСОМ/настройки", 2},
      {"Связь с офисом/Настройки/Автоматическая отправка", 3},
      {" Связь с офисом / Настройки / АВТОМАТИЧЕСКАЯ отправка ", 3},
      {"Связь с офисом/Автоматическая отправка", 0},
      {"Связь", 0},
      {"", 0},
      {"Связь с офисом//Настройки", 0},
      {"Связь с офисом/Настройки/-/x", 0},
  };
  const FakeMenuItem* expected[] = {nullptr, link_, settings_, autoSend_};
  for (const auto& entry : cases) {
    EXPECT_EQ(tarvel::host::findMenuItemByPath(root_, QString::fromUtf8(entry.path)),
              expected[entry.expected])
        << entry.path;
  }
}

}  // namespace
