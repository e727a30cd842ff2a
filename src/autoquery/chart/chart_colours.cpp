#include "autoquery/chart/chart_colours.h"

#include "platform/readable_colour.h"

namespace tarvel::autoquery::chart {

ChartColours chartColoursOn(QRgb background) {
  ChartColours colours;
  colours.background = background;
  const auto readable = [&](QRgb fixed, double ratio) {
    return platform::readableOn(QColor(fixed), QColor(background), ratio).rgb();
  };
  // The blue is the day labels' colour too, so it is held to the measure of a text.
  colours.label = readable(colour::kLabelBlue, platform::kTextContrast);
  colours.time = readable(colour::kTimeMaroon, platform::kTextContrast);
  colours.outline = readable(colour::kBlack, platform::kLineContrast);
  colours.hatch = readable(colour::kHatchSilver, platform::kLineContrast);
  return colours;
}

}  // namespace tarvel::autoquery::chart
