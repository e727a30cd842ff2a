// Contrast as the accessibility guidelines measure it, and the readable counterparts of colours.
#include "platform/readable_colour.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarvel::platform {
namespace {

TEST(ReadableColour, ContrastRatiosAreTheGuidelinesFigures) {
  const struct {
    QColor first, second;
    double ratio;
  } cases[] = {{Qt::black, Qt::white, 21.0},          {Qt::white, Qt::white, 1.0},
               {QColor(0x76, 0x76, 0x76), Qt::white, 4.54}, {QColor(0, 0, 255), Qt::white, 8.59},
               {QColor(255, 0, 0), Qt::white, 4.0},   {QColor(0, 128, 0), Qt::white, 5.14}};
  for (const auto& c : cases) {
    EXPECT_NEAR(contrastRatio(c.first, c.second), c.ratio, 0.01) << qPrintable(c.first.name());
    EXPECT_NEAR(contrastRatio(c.second, c.first), c.ratio, 0.01) << qPrintable(c.first.name());
  }
}

TEST(ReadableColour, CounterpartsKeepTheHueAndTakeTheNearestLightnessThatReachesTheRatio) {
  const QColor dark(0x35, 0x35, 0x35), light(0xF0, 0xF0, 0xF0);
  const struct {
    QColor colour, background;
    double ratio;
    bool changed;
  } cases[] = {{QColor(0, 0, 255), dark, kTextContrast, true},
               {QColor(128, 0, 0), dark, kTextContrast, true},
               {Qt::black, dark, kLineContrast, true},
               {QColor(192, 192, 192), light, kLineContrast, true},
               {QColor(0, 0, 255), light, kTextContrast, false},
               {QColor(192, 192, 192), dark, kLineContrast, false}};
  for (const auto& c : cases) {
    const QColor found = readableCounterpart(c.colour, c.background, c.ratio);
    EXPECT_EQ(found != c.colour, c.changed) << qPrintable(c.colour.name());
    EXPECT_GE(contrastRatio(found, c.background), c.ratio) << qPrintable(c.colour.name());
    if (!c.changed) continue;
    EXPECT_LE(std::abs(found.toHsl().hslHue() - c.colour.toHsl().hslHue()), 2) << qPrintable(c.colour.name());
    EXPECT_EQ(found.toHsl().hslSaturation() == 0, c.colour.toHsl().hslSaturation() == 0);
    // One step of lightness back towards the colour falls short.
    const QColor hsl = found.toHsl();
    const int back = isDarkBackground(c.background) ? -1 : 1;
    const QColor nearer =
        QColor::fromHsl(std::max(0, hsl.hslHue()), hsl.hslSaturation(), hsl.lightness() + back);
    EXPECT_LT(contrastRatio(nearer, c.background), c.ratio) << qPrintable(c.colour.name());
  }
  // Where no lightness reaches the ratio: what stands out most.
  EXPECT_EQ(readableCounterpart(QColor(0, 0, 255), QColor(128, 128, 128), 10), QColor(Qt::black));
  EXPECT_EQ(readableCounterpart(QColor(0, 0, 255), QColor(40, 40, 40), 18), QColor(Qt::white));
}

}  // namespace
}  // namespace tarvel::platform
