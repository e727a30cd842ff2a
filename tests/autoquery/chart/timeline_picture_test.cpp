// The whole picture, checked at exact pixels.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/draw_timeline.h"
#include "autoquery/chart/text_stamp.h"
#include "chart_test_items.h"

namespace tarvel::autoquery::chart {
namespace {

using namespace testing;

QImage draw(const std::vector<std::unique_ptr<TAzsItem>>& items, int zoom, int span,
            platform::DateTime now) {
  QImage picture;
  drawTimelineAt(pointers(items), picture, zoom, span, kButtonFace, now);
  return picture;
}

bool green(const QImage& picture, int x, int y) {
  return picture.pixel(x, y) == colour::kSessionGreen;
}

// The first column of the green run at row y that contains or follows x, and its width.
std::pair<int, int> greenRunFrom(const QImage& picture, int x, int y) {
  while (x < picture.width() && !green(picture, x, y)) ++x;
  int end = x;
  while (end < picture.width() && green(picture, end, y)) ++end;
  return {x, end - x};
}

std::set<QRgb> coloursIn(const QImage& picture, const QRect& area) {
  std::set<QRgb> colours;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) colours.insert(picture.pixel(x, y));
  return colours;
}

TEST(TimelinePicture, WithoutStationsTheDateLabelsStandAtTheTop) {
  std::vector<std::unique_ptr<TAzsItem>> none, one;
  one.push_back(station(false, ScheduleKind::Daily, {}));
  const QImage empty = draw(none, 2, 7, monday(9));
  const QImage withRow = draw(one, 2, 7, monday(9));
  ASSERT_EQ(empty.size(), QSize(1'400, 20));
  // Today's date covers today's weekday at (0, 0), exactly as it stands under the bands.
  const QRect dateCell = stampOf("07.12", LabelFont::Day).cell();
  EXPECT_EQ(empty.copy(dateCell), withRow.copy(dateCell.translated(0, 40)));
  EXPECT_TRUE(coloursIn(empty, dateCell).contains(colour::kLabelBlue));
  // No bands, no marks, no day lines: only the background and the labels.
  EXPECT_EQ(coloursIn(empty, empty.rect()), (std::set<QRgb>{kButtonFace, colour::kLabelBlue}));
}

TEST(TimelinePicture, BoxesStartWhereTheirHalvesRoundToEven) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  for (const char* time : {"03:00", "09:00", "00:36"}) items.push_back(daily({time}));
  const QImage picture = draw(items, 1, 2, monday());  // midnight: day 0 starts at x = 1
  const int offsets[] = {12, 38, 2};
  for (int row = 0; row < 3; ++row) {
    for (int day : {0, 1}) {
      EXPECT_EQ(greenRunFrom(picture, 1 + 100 * day, 40 * row + 20),
                std::make_pair(1 + 100 * day + offsets[row], 4))
          << "row " << row << " day " << day;
    }
  }
}

TEST(TimelinePicture, EveryBoxIsOneHourWideAtEachZoom) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"06:00"}));
  const int widths[] = {4, 8, 12, 17, 21};
  for (int zoom = 1; zoom <= 5; ++zoom) {
    const QImage picture = draw(items, zoom, 2, monday());
    const int start = 1 + 25 * zoom;
    EXPECT_EQ(greenRunFrom(picture, 0, 20), std::make_pair(start, widths[zoom - 1])) << zoom;
    EXPECT_EQ(greenRunFrom(picture, 0, 16), greenRunFrom(picture, 0, 28)) << zoom;
    EXPECT_FALSE(green(picture, start, 15)) << zoom;
    EXPECT_FALSE(green(picture, start, 29)) << zoom;
  }
}

TEST(TimelinePicture, ThirtyOneDaysAtZoomFiveAre15500Wide) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"12:00"}));
  const QImage picture = draw(items, 5, 31, monday(17, 45));
  EXPECT_EQ(picture.size(), QSize(15'500, 60));
  EXPECT_EQ(picture.pixel(15'499, 20), colour::kBlack);  // the band's right edge
}

TEST(TimelinePicture, ASessionEarlierTodayShowsOnlyItsRightPartAtTheLeftEdge) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"08:00"}));
  // 08:30 at zoom 1: x0 = round(1 - 35.42) = -34; the box of 08:00 covers -1 .. 2.
  const QImage picture = draw(items, 1, 2, monday(8, 30));
  EXPECT_EQ(greenRunFrom(picture, 0, 20), std::make_pair(0, 3));
  EXPECT_EQ(greenRunFrom(picture, 3, 20), std::make_pair(-34 + 100 + 33, 4));
}

TEST(TimelinePicture, ALateSessionRunsAcrossTheNextMidnight) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"23:30"}));
  const QImage picture = draw(items, 1, 2, monday());
  // 96 + 2 = 98 from x = 1: columns 99 .. 102, over tomorrow's midnight at 101.
  EXPECT_EQ(greenRunFrom(picture, 0, 20), std::make_pair(99, 4));
  EXPECT_TRUE(green(picture, 101, 16));  // over the midnight notch
  EXPECT_EQ(picture.pixel(101, 13), colour::kBlack);
}

TEST(TimelinePicture, HoursPastADayPutTheBoxOnALaterDay) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"00:00", "49:00"}));
  const QImage picture = draw(items, 1, 3, monday());
  // 49 hours are 204 pixels: day 0's box joins day 2's own at 201 .. 204.
  EXPECT_EQ(greenRunFrom(picture, 0, 20), std::make_pair(1, 4));
  EXPECT_EQ(greenRunFrom(picture, 5, 20), std::make_pair(101, 4));
  EXPECT_EQ(greenRunFrom(picture, 105, 20), std::make_pair(201, 8));
}

TEST(TimelinePicture, StationsMeetingInAColumnTurnRedAndOthersStayGreen) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00"}));
  items.push_back(daily({"10:00"}));
  items.push_back(daily({"15:00"}));
  const QImage picture = draw(items, 2, 2, monday());
  const int x = 1 + 200 * 10 / 24 + 3;  // inside both 10:00 boxes
  for (int row : {0, 1}) {
    // Dashes of four from the box's top; the gaps keep the green.
    EXPECT_EQ(picture.pixel(x, 40 * row + 16), colour::kOverlapRed) << row;
    EXPECT_EQ(picture.pixel(x, 40 * row + 19), colour::kOverlapRed) << row;
    EXPECT_TRUE(green(picture, x, 40 * row + 20)) << row;
    EXPECT_EQ(picture.pixel(x, 40 * row + 28), colour::kOverlapRed) << row;
  }
  EXPECT_FALSE(coloursIn(picture, QRect(0, 80, 400, 40)).contains(colour::kOverlapRed));
  EXPECT_EQ(greenRunFrom(picture, 0, 100), std::make_pair(1 + 125, 8));
}

TEST(TimelinePicture, AStationsOwnOverlappingSessionsStayGreen) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(daily({"10:00", "10:20"}));
  const QImage picture = draw(items, 1, 2, monday());
  EXPECT_EQ(greenRunFrom(picture, 0, 20), std::make_pair(1 + 42, 5));  // 42 .. 45 and 43 .. 46
  EXPECT_FALSE(coloursIn(picture, picture.rect()).contains(colour::kOverlapRed));
}

TEST(TimelinePicture, ADisabledStationIsHatchedWithoutBoxesAndNeverCounted) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(false, ScheduleKind::Daily, {"10:00"}));
  items.push_back(daily({"10:00"}));
  const QImage picture = draw(items, 1, 2, monday());
  const std::set<QRgb> disabledBand = coloursIn(picture, QRect(1, 16, 198, 13));
  EXPECT_TRUE(disabledBand.contains(colour::kHatchSilver));
  EXPECT_FALSE(disabledBand.contains(colour::kSessionGreen));
  EXPECT_EQ(picture.pixel(8, 16), colour::kHatchSilver);  // (8 - 16) mod 8 = 0
  EXPECT_EQ(picture.pixel(9, 16), kButtonFace);           // a gap keeps the background
  EXPECT_EQ(greenRunFrom(picture, 0, 60), std::make_pair(1 + 42, 4));
  EXPECT_FALSE(coloursIn(picture, picture.rect()).contains(colour::kOverlapRed));
}

TEST(TimelinePicture, WeekdayBoxesFallOnlyOnTheirWeekdaysTodayIncluded) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(true, ScheduleKind::Weekdays, {"09:00", "", "", "09:00", "", "", ""}));
  const QImage picture = draw(items, 1, 8, monday(5));  // days 0 .. 7: Monday .. Monday
  const int x0 = -20;                                   // round(1 - 20.83)
  for (int day = 0; day < 8; ++day) {
    const bool boxed = day == 0 || day == 3 || day == 7;
    EXPECT_EQ(green(picture, x0 + 100 * day + 38, 20), boxed) << "day " << day;
  }
}

TEST(TimelinePicture, MonthDateStationsHaveBandMarksAndLabelsButNoBoxes) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(true, ScheduleKind::MonthDates, {"10:00"}));
  const QImage picture = draw(items, 1, 2, monday());
  EXPECT_EQ(picture.pixel(50, 15), colour::kBlack);     // band
  EXPECT_EQ(picture.pixel(51, 13), colour::kBlack);     // midday dot
  EXPECT_EQ(picture.pixel(51, 16), colour::kBlack);     // notch
  EXPECT_EQ(picture.pixel(1 + 4, 14), colour::kBlack);  // hour mark 1 at round(4.17)
  const std::set<QRgb> band = coloursIn(picture, QRect(1, 16, 198, 13));
  EXPECT_TRUE(band.contains(colour::kTimeMaroon));
  EXPECT_FALSE(band.contains(colour::kSessionGreen));
}

TEST(TimelinePicture, AnUnreadableTimeEndsTheDrawingAndKeepsThePicture) {
  for (const char* bad : {"9:00", "ab:cd", "", "12:3x"}) {
    std::vector<std::unique_ptr<TAzsItem>> items;
    items.push_back(daily({"10:00"}));
    items.push_back(daily({bad}, "Station"));
    QImage picture(3, 3, QImage::Format_RGB32);
    try {
      drawTimelineAt(pointers(items), picture, 1, 2, kButtonFace, monday());
      ADD_FAILURE() << "no error for \"" << bad << "\"";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), text::kUnreadableTimeBefore + std::string(bad) +
                                               text::kUnreadableTimeAfter + "Station");
    }
    EXPECT_EQ(picture.size(), QSize(3, 3));
  }
}

TEST(TimelinePicture, TimesTheChartDoesNotUseAreNotRead) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(station(false, ScheduleKind::Daily, {"xx"}));
  items.push_back(station(true, ScheduleKind::Weekdays, {"", "1:0", std::nullopt, "12:00"}));
  items.push_back(station(true, ScheduleKind::Daily, {std::nullopt, "08:00"}));
  const QImage picture = draw(items, 1, 2, monday());
  EXPECT_EQ(greenRunFrom(picture, 0, 100), std::make_pair(1 + 33, 4));
}

TEST(TimelinePicture, AWholePictureAboveTheBoundFailsWithAClearError) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  for (int i = 0; i < 300; ++i) items.push_back(daily({"10:00"}));
  QImage picture;
  try {
    drawTimelineAt(pointers(items), picture, 5, 31, kButtonFace, monday());
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              text::kPictureTooLarge + std::string("15500 x 12020") + text::kPixels);
  }
  EXPECT_TRUE(picture.isNull());
}

}  // namespace
}  // namespace tarvel::autoquery::chart
