// Label texts as the chart puts them down: each text is drawn once, without anti-aliasing, and
// kept as the set of pixels it covers. Putting a stamp at a place then sets exactly those pixels,
// whichever rectangle of the chart is being painted, so a label cut by a rectangle's edge joins
// up with the part painted in the next rectangle.
//
// Faces and sizes, chosen to stand close to the small bitmap fonts the chart was designed with:
// - day labels (weekday names and dates): bold, 11 pixels, the first of "Tahoma",
//   "Liberation Sans", "DejaVu Sans" that is installed;
// - time labels ("00:00", "12:00"): regular, 9 pixels, the first of "Small Fonts",
//   "Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed".
// Both are drawn with QFont::NoAntialias and full hinting, so every pixel is either the text's
// colour or left alone. Stamps need a QGuiApplication (fonts come from it). For a device of a
// larger scale the sizes are scaled and the text is drawn again in the device's own pixels.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "autoquery/chart/chart_geometry.h"

namespace tarvel::autoquery::chart {

enum class LabelFont { Day, Time };

class TextStamp {
 public:
  TextStamp(const QString& text, LabelFont font, PixelScale scale = {});

  // The text's cell relative to its top-left corner: its advance width by the font's height.
  // An opaque label fills this with its background.
  QRect cell() const { return cell_; }
  // Everything the stamp may touch relative to its top-left corner (cell and glyph pixels).
  QRect extent() const { return extent_; }
  // Offsets of the glyph pixels from the top-left corner.
  const std::vector<QPoint>& pixels() const { return pixels_; }

 private:
  QRect cell_;
  QRect extent_;
  std::vector<QPoint> pixels_;
};

// The stamp of a text in a font at a scale, made once per process and kept (the chart uses a few
// dozen texts: seven weekday names, the dates of a year, two times). Throws std::logic_error when
// no QGuiApplication exists.
const TextStamp& stampOf(const QString& text, LabelFont font, PixelScale scale = {});

}  // namespace tarvel::autoquery::chart
