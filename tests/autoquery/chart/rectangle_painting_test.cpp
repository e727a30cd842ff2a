// Any rectangle painted alone has exactly the pixels of the whole picture there (the window
// relies on it to show a chain of any size), also in the pixels of a screen of a fractional
// scale, and the picture keeps the overlap rule.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/timeline_chart.h"
#include "chart_test_items.h"

namespace tarvel::autoquery::chart {
namespace {

using namespace testing;

std::string randomTime(std::mt19937& random) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d",
                static_cast<int>(random() % 20 == 0 ? random() % 100 : random() % 24),
                static_cast<int>(random() % 60));
  return text;
}

// A mix of daily, weekday, month-date and disabled stations; many share an hour, so they meet;
// a few hours past 23 put boxes days away from their own day.
std::vector<std::unique_ptr<TAzsItem>> randomChain(std::mt19937& random, int count) {
  std::vector<std::unique_ptr<TAzsItem>> items;
  for (int i = 0; i < count; ++i) {
    const int kind = static_cast<int>(random() % 3) + 1;
    std::vector<ConnectionPoint> times;
    for (int slot = 0;
         slot < (kind == ScheduleKind::Weekdays ? 7 : 1 + static_cast<int>(random() % 4)); ++slot) {
      if (kind == ScheduleKind::Weekdays && random() % 2 == 0) {
        times.emplace_back("");
      } else {
        times.emplace_back(random() % 3 == 0 ? std::string("10:00") : randomTime(random));
      }
    }
    items.push_back(station(random() % 5 != 0, kind, std::move(times)));
  }
  return items;
}

TEST(RectanglePainting, RectanglesPaintedAloneMatchTheWholePicture) {
  std::mt19937 random(20261208);
  for (int count : {0, 1, 4, 13}) {
    for (int round = 0; round < 5; ++round) {
      const auto items = randomChain(random, count);
      const int zoom = static_cast<int>(random() % 5) + 1;
      const int span = static_cast<int>(random() % 31) + 1;
      const platform::DateTime now = monday() + static_cast<double>(random() % 10'000) / 1'000;
      const TimelineChart chart(pointers(items), zoom, span, now, kButtonFace);
      const QImage whole = chart.render(chart.rect());
      // The overlap rule read off the finished picture: y + 26 lies in a gap of the dashes, so
      // it still shows whether the row's box is there.
      for (int x = 0; x < whole.width(); ++x) {
        std::vector<int> greenRows;
        for (int row = 0; row < count; ++row) {
          if (whole.pixel(x, 40 * row + 26) == colour::kSessionGreen) greenRows.push_back(row);
        }
        for (const int row : greenRows) {
          ASSERT_EQ(whole.pixel(x, 40 * row + 16) == colour::kOverlapRed, greenRows.size() >= 2)
              << "column " << x << " row " << row << " Z " << zoom << " S " << span;
        }
      }
      // The same at one to one and in the pixels of screens of fractional scales.
      for (const PixelScale scale : {PixelScale{}, PixelScale{5, 4}, PixelScale{3, 2}}) {
        const TimelineChart drawn(chart, scale);
        const QImage picture = drawn.render(drawn.rect());
        if (scale == PixelScale{}) {
          ASSERT_EQ(picture, whole);
        }
        // Nothing anti-aliased or blended: every pixel has one of the chart's own colours.
        const std::set<QRgb> allowed{kButtonFace,        colour::kLabelBlue,   colour::kTimeMaroon,
                                     colour::kBlack,     colour::kHatchSilver, colour::kSessionGreen,
                                     colour::kOverlapRed};
        for (int y = 0; y < picture.height(); ++y) {
          const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
          for (int x = 0; x < picture.width(); ++x)
            ASSERT_TRUE(allowed.contains(line[x])) << x << "," << y;
        }
        for (int probe = 0; probe < 25; ++probe) {
          const int x = static_cast<int>(random() % drawn.size().width());
          const int y = static_cast<int>(random() % drawn.size().height());
          const int width = 1 + static_cast<int>(random() % 300);
          const int height = 1 + static_cast<int>(random() % 90);
          const QRect area = QRect(x, y, width, height) & drawn.rect();
          ASSERT_EQ(drawn.render(area), picture.copy(area))
              << "N " << count << " Z " << zoom << " S " << span << " now " << now << " scale "
              << scale.numerator << "/" << scale.denominator << " at " << area.x() << ","
              << area.y() << " " << area.width() << "x" << area.height();
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarvel::autoquery::chart
