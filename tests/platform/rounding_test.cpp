#include "platform/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvel::platform {
namespace {

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    double expected;
  };
  const Case cases[] = {{0.5, 0},    {1.5, 2},    {2.5, 2},   {3.5, 4},   {-0.5, 0},
                        {-1.5, -2},  {-2.5, -2},  {0.2, 0},   {0.4, 0},   {0.6, 1},
                        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {999, 999}, {1e15 + 0.5, 1e15}};
  for (const Case& entry : cases) {
    EXPECT_EQ(roundHalfToEven(entry.value), entry.expected) << entry.value;
  }
}

TEST(RoundingTest, NonFiniteValuesComeBackUnchanged) {
  EXPECT_TRUE(std::isnan(roundHalfToEven(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(roundHalfToEven(std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace tarvel::platform
