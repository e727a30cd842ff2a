#include "autoquery/chart/chart_colours.h"

#include "autoquery/chart/readable_colour.h"

namespace tarvel::autoquery::chart {

ChartColours chartColoursOn(QRgb background) {
  ChartColours colours;
  colours.background = background;
  if (!isDarkBackground(QColor(background))) return colours;
  const auto readable = [&](QRgb fixed, double ratio) {
    return readableCounterpart(QColor(fixed), QColor(background), ratio).rgb();
  };
  // The blue is the day labels' colour too, so it is held to the measure of a text.
  colours.label = readable(colour::kLabelBlue, kTextContrast);
  colours.time = readable(colour::kTimeMaroon, kTextContrast);
  colours.outline = readable(colour::kBlack, kLineContrast);
  colours.hatch = readable(colour::kHatchSilver, kLineContrast);
  return colours;
}

}  // namespace tarvel::autoquery::chart
