#include "platform/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace tarvel::platform {
namespace {

constexpr int kMaxLightness = 255;

// One sRGB channel (0 .. 1) as linear light.
double linearChannel(double value) {
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

}  // namespace

double relativeLuminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
         0.0722 * linearChannel(rgb.blueF());
}

double contrastRatio(const QColor& first, const QColor& second) {
  const double a = relativeLuminance(first), b = relativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool isDarkBackground(const QColor& background) {
  return contrastRatio(background, Qt::white) > contrastRatio(background, Qt::black);
}

QColor readableCounterpart(const QColor& colour, const QColor& background, double minimumRatio) {
  if (contrastRatio(colour, background) >= minimumRatio) return colour;
  const QColor hsl = colour.toHsl();
  // A grey has no hue of its own (-1); any hue at saturation 0 gives the same grey.
  const int hue = std::max(0, hsl.hslHue());
  const int saturation = hsl.hslSaturation();
  const bool lighter = isDarkBackground(background);
  const double backgroundLuminance = relativeLuminance(background);
  // Luminance grows with lightness, so the first lightness past the background's that has the
  // ratio is the nearest one.
  for (int step = 1; step <= kMaxLightness; ++step) {
    const int lightness = hsl.lightness() + (lighter ? step : -step);
    if (lightness < 0 || lightness > kMaxLightness) break;
    const QColor candidate = QColor::fromHsl(hue, saturation, lightness).toRgb();
    const double luminance = relativeLuminance(candidate);
    if ((lighter ? luminance > backgroundLuminance : luminance < backgroundLuminance) &&
        contrastRatio(candidate, background) >= minimumRatio) {
      return candidate;
    }
  }
  return lighter ? QColor(Qt::white) : QColor(Qt::black);
}

QColor readableOn(const QColor& drawn, const QColor& background, double minimumRatio) {
  if (!isDarkBackground(background)) return drawn;
  return readableCounterpart(drawn, background, minimumRatio);
}

}  // namespace tarvel::platform
