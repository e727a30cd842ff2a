// The chart's colours. They are given as 0x00BBGGRR values (the system's colour references) and
// turned into Qt's 0xAARRGGBB while compiling, so both forms stay side by side. On a dark
// background the colours of texts, lines and marks give way to readable ones (ChartColours).
#pragma once

#include <QRgb>
#include <cstdint>

namespace tarvel::autoquery::chart {

// An opaque Qt colour from a 0x00BBGGRR colour reference.
constexpr QRgb fromColorRef(uint32_t colorRef) {
  return 0xFF000000u | ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) |
         ((colorRef >> 16) & 0xFFu);
}

namespace colour {
inline constexpr QRgb kLabelBlue = fromColorRef(0xFF0000);     // weekday and date labels, day lines
inline constexpr QRgb kTimeMaroon = fromColorRef(0x000080);    // "00:00" and "12:00"
inline constexpr QRgb kBlack = fromColorRef(0x000000);         // band outlines, day and hour marks
inline constexpr QRgb kHatchSilver = fromColorRef(0xC0C0C0);   // a disabled station's band
inline constexpr QRgb kSessionGreen = fromColorRef(0x008000);  // session boxes
inline constexpr QRgb kOverlapRed = fromColorRef(0x0000FF);    // overlap lines
}  // namespace colour

// The colours one chart is painted in.
struct ChartColours {
  QRgb background = 0xFFF0F0F0;  // the button face
  QRgb label = colour::kLabelBlue;
  QRgb time = colour::kTimeMaroon;
  QRgb outline = colour::kBlack;
  QRgb hatch = colour::kHatchSilver;
  QRgb session = colour::kSessionGreen;
  QRgb overlap = colour::kOverlapRed;
};

// The colours on a background: on a light one exactly those above; on a dark one each colour of
// a text, a line or a mark replaced by its counterpart of the same hue that reaches 4.5:1 (texts)
// or 3:1 (lines) against it. The session green and the overlap red stay as they are on both.
ChartColours chartColoursOn(QRgb background);

}  // namespace tarvel::autoquery::chart
