#include "plugin/core/exchange_log.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {
namespace {

class ExchangeLog : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setClockForTests(platform::encodeDateTime(2007, 3, 6, 9, 5, 7, 42));
  }
  void TearDown() override { platform::setClockForTests(std::nullopt); }
  std::string log() const {
    return TemporaryInstallation::readFile(installation.root() / "FSYS" / "Modem.LOG");
  }
  TemporaryInstallation installation;
};

TEST_F(ExchangeLog, CreatesTheFileWithExactlyOneLine) {
  plugin::WriteExchangeLog("\xce\xf8\xe8\xe1\xea\xe0 100%s %d");  // "Ошибка 100%s %d"
  EXPECT_EQ(log(), "06.03.2007 09:05:07:042 - \xce\xf8\xe8\xe1\xea\xe0 100%s %d\r\n");
}

TEST_F(ExchangeLog, AppendsToWhatIsThere) {
  TemporaryInstallation::writeFile(installation.root() / "FSYS" / "Modem.LOG", "earlier\n");
  plugin::WriteExchangeLog("a");
  platform::setClockForTests(platform::encodeDateTime(2007, 12, 31, 23, 59, 59, 999));
  plugin::WriteExchangeLog("");
  EXPECT_EQ(log(), "earlier\n06.03.2007 09:05:07:042 - a\r\n31.12.2007 23:59:59:999 - \r\n");
}

TEST_F(ExchangeLog, AFolderThatIsMissingIsAnError) {
  std::filesystem::remove_all(installation.root() / "FSYS");
  EXPECT_THROW(plugin::WriteExchangeLog("a"), std::runtime_error);
}

}  // namespace
}  // namespace tarvel::testing
