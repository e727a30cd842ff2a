#include "autoquery/chart/chart_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarvel::autoquery::chart {
namespace {

TEST(ChartGeometry, QuotientsRoundToNearestAndHalvesToEven) {
  const struct {
    int64_t numerator, denominator, rounded;
  } cases[] = {{25, 2, 12},     {75, 2, 38},   {5, 2, 2},     {7, 2, 4},   {-5, 2, -2}, {-7, 2, -4},
               {-255, 2, -128}, {500, 24, 21}, {400, 24, 17}, {-3, 4, -1}, {0, 7, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(roundQuotientHalfToEven(c.numerator, c.denominator), c.rounded)
        << c.numerator << "/" << c.denominator;
  }
}

TEST(ChartGeometry, TodaysMidnightLiesLeftOfTheFirstColumnByTheTimePast) {
  constexpr int64_t hour = 3'600'000;
  EXPECT_EQ(ChartGeometry::make(1, 2, 0, 0).x0, 1);
  EXPECT_EQ(ChartGeometry::make(1, 2, 0, 12 * hour).x0, -49);
  // 10:12 at zoom 3 is 127.5 pixels into the day: 1 - 127.5 = -126.5 goes to -126.
  EXPECT_EQ(ChartGeometry::make(3, 2, 0, 10 * hour + 12 * 60'000).x0, -126);
  // 00:21:36 is 1.5 pixels into the day at zoom 1: -0.5 goes to 0; a millisecond more to -1.
  EXPECT_EQ(ChartGeometry::make(1, 2, 0, 1'296'000).x0, 0);
  EXPECT_EQ(ChartGeometry::make(1, 2, 0, 1'296'001).x0, -1);
}

TEST(ChartGeometry, SessionOffsetsRoundHoursAndMinutesApart) {
  // 12 + 1, where the time taken whole would give round(13.75) = 14.
  EXPECT_EQ(ChartGeometry::make(1, 2, 0, 0).v(3, 18), 13);
  EXPECT_EQ(ChartGeometry::make(3, 2, 0, 0).v(1, 36), 12 + 8);  // 12.5 -> 12, 7.5 -> 8
}

TEST(ChartGeometry, AtADeviceScaleEveryRuleRunsInTheDevicesPixels) {
  const struct {
    double ratio;
    PixelScale scale;
  } ratios[] = {{1.0, {1, 1}},     {1.25, {5, 4}}, {1.5, {3, 2}},
                {4.0 / 3, {4, 3}}, {2.0, {2, 1}},  {0.8, {1, 1}}};
  for (const auto& r : ratios) EXPECT_EQ(PixelScale::ofRatio(r.ratio), r.scale) << r.ratio;

  constexpr int64_t noon = 12 * 3'600'000;
  const ChartGeometry quarter = ChartGeometry::make(1, 2, 3, noon, {5, 4});
  // 1.25 - 62.5 = -61.25; an hour of 125 / 24 = 5.2 pixels; rows 50 apart.
  EXPECT_EQ(std::tuple(quarter.P, quarter.W, quarter.H, quarter.x0, quarter.w, quarter.line),
            std::tuple(125, 250, 175, -61, 5, 1));
  EXPECT_EQ(std::tuple(quarter.rowTop(1), quarter.rowAt(49), quarter.rowAt(50), quarter.rowAt(-1),
                       quarter.dateLabelTop()),
            std::tuple(50, 0, 1, -1, 150));
  // 13 * 1.25 = 16.25, 14 * 1.25 = 17.5 goes to 18, 15 * 1.25 = 18.75, 29 * 1.25 = 36.25.
  EXPECT_EQ(quarter.inRow, (RowLayout{16, 18, 19, 20, 22, 21, 35, 36}));
  const ChartGeometry half = ChartGeometry::make(2, 2, 1, 0, {3, 2});
  EXPECT_EQ(std::tuple(half.P, half.x0, half.hourMark(0, 1), half.halfDay()),
            std::tuple(300, 2, 2 + 12, 150));  // 12.5 -> 12
  const ChartGeometry doubled = ChartGeometry::make(1, 2, 1, 0, {2, 1});
  EXPECT_EQ(doubled.line, 2);
  EXPECT_EQ(doubled.inRow, (RowLayout{26, 28, 30, 32, 36, 34, 57, 58}));
  EXPECT_EQ(ChartGeometry::make(1, 2, 1, 0).inRow, RowLayout{});
}

TEST(ChartGeometry, RefusesZoomSpanOrTimeOutsideTheirRanges) {
  EXPECT_THROW(ChartGeometry::make(0, 2, 0, 0), std::invalid_argument);
  EXPECT_THROW(ChartGeometry::make(6, 2, 0, 0), std::invalid_argument);
  EXPECT_THROW(ChartGeometry::make(1, 32, 0, 0), std::invalid_argument);
  EXPECT_THROW(ChartGeometry::make(1, 2, 0, kMillisecondsPerDay), std::invalid_argument);
}

}  // namespace
}  // namespace tarvel::autoquery::chart
