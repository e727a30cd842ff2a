#include "autosend/core/send_interval.h"

#include <gtest/gtest.h>

#include <utility>

namespace tarvel::autosend {
namespace {

TEST(SendInterval, RoundsHalvesToEvenAndKeepsTheStoredRange) {
  const std::pair<double, int32_t> cases[] = {{0.2, 0},   {0.4, 0},   {0.5, 0}, {0.6, 1},
                                              {1.5, 2},   {2.5, 2},   {3.5, 4}, {998.5, 998},
                                              {999, 999}, {1e9, 999}, {-3.0, 0}};
  for (const auto& [editorValue, stored] : cases) {
    EXPECT_EQ(roundedIntervalHours(editorValue), stored) << editorValue;
  }
}

}  // namespace
}  // namespace tarvel::autosend
