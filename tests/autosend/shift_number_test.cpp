#include "autosend/core/shift_number.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace tarvel::autosend {
namespace {

TEST(ShiftNumber, ConvertsIntegersEmptyAndDecimalText) {
  const std::pair<HostVariant, int32_t> cases[] = {
      {HostVariant::fromInteger(-1), -1},
      // Unassigned converts to 0: a host that has no shift number yet is at shift 0.
      {HostVariant::empty(), 0},
      {HostVariant::fromText(" 42\t"), 42},
      {HostVariant::fromText("+7"), 7},
      {HostVariant::fromText("-12"), -12},
      {HostVariant::fromText("2147483647"), 2147483647},
  };
  for (const auto& [answer, number] : cases) {
    EXPECT_EQ(shiftNumberFromHost(answer), number) << answer.text;
  }
}

TEST(ShiftNumber, RefusesWhatIsNoDecimalInteger) {
  const HostVariant refused[] = {
      HostVariant::null(),          HostVariant::fromText(" "),
      HostVariant::fromText(""),    HostVariant::fromText("abc"),
      HostVariant::fromText("12a"), HostVariant::fromText("0x10"),
      HostVariant::fromText("1 2"), HostVariant::fromText("2147483648"),
      HostVariant::fromText("+-3"), HostVariant::fromText("+"),
  };
  for (const HostVariant& answer : refused) {
    EXPECT_THROW(shiftNumberFromHost(answer), std::runtime_error) << answer.text;
  }
}

}  // namespace
}  // namespace tarvel::autosend
