// Painting one rectangle of the chart. Every step of the picture runs in its order, each cut to
// the rectangle, and every pattern is tied to the picture's own coordinates: so the pixels of a
// rectangle never depend on where the rectangle lies.
//
// A large rectangle is painted in strips of a few lines, every step running over one strip before
// the next strip begins: the strip stays in the processor's cache while the steps paint over each
// other, so the whole picture costs little more than filling its bitmap once.
#include <algorithm>
#include <optional>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/text_stamp.h"
#include "autoquery/chart/timeline_chart.h"

namespace tarvel::autoquery::chart {
namespace {

// Patterns at one to one; at a larger scale each run is a line's width long.
constexpr int kDotPeriod = 2;   // dotted: one on, one off
constexpr int kDashPeriod = 6;  // dashed: four on, two off
constexpr int kDashLength = 4;
constexpr int kHatchPeriod = 8;  // the cross-hatch repeats every 8 pixels both ways
// About half the second-level cache of the machines the chart runs on.
constexpr qsizetype kStripBytes = 256 * 1024;

int floorDivide(int numerator, int denominator) {
  return static_cast<int>(floorQuotient(numerator, denominator));
}

// value modulo a positive period, 0 .. period - 1 also for a negative value.
int floorModulo(int value, int period) { return value - floorDivide(value, period) * period; }

// The target image seen in the picture's coordinates: its pixel (0, 0) shows the picture's pixel
// origin. Writes only inside clip.
class Canvas {
 public:
  Canvas(QImage& target, QPoint origin, const QRect& clip)
      : bits_(target.bits()), bytesPerLine_(target.bytesPerLine()), origin_(origin), clip_(clip) {}

  const QRect& clip() const { return clip_; }

  // The target's pixel showing the picture's pixel (x, y).
  QRgb* at(int x, int y) const {
    return reinterpret_cast<QRgb*>(bits_ +
                                   static_cast<qsizetype>(y - origin_.y()) * bytesPerLine_) +
           (x - origin_.x());
  }

  void fill(const QRect& rect, QRgb colour) const {
    const QRect part = rect & clip_;
    for (int y = part.top(); y <= part.bottom(); ++y) {
      std::fill_n(at(part.left(), y), part.width(), colour);
    }
  }

  // The whole clip in one colour, through Qt's fill, which moves whole vectors at a time.
  void fillClip(QRgb colour) const {
    QImage view(reinterpret_cast<uchar*>(at(clip_.left(), clip_.top())), clip_.width(),
                clip_.height(), bytesPerLine_, QImage::Format_RGB32);
    view.fill(colour);
  }

  void pixel(int x, int y, QRgb colour) const {
    if (x >= clip_.left() && x <= clip_.right() && y >= clip_.top() && y <= clip_.bottom()) {
      *at(x, y) = colour;
    }
  }

  // A vertical line of the given width from x over y = top .. bottom - 1 in a pattern of `on`
  // pixels out of every `period`, counted from top.
  void patternedColumn(int x, int width, int top, int bottom, int on, int period,
                       QRgb colour) const {
    const int left = std::max(x, clip_.left()), right = std::min(x + width - 1, clip_.right());
    if (left > right) return;
    const int first = std::max(top, clip_.top());
    const int last = std::min(bottom - 1, clip_.bottom());
    for (int y = first; y <= last; ++y) {
      if ((y - top) % period < on) std::fill_n(at(left, y), right - left + 1, colour);
    }
  }

  // The silver cross-hatch inside rect, diagonals `width` pixels wide every `period`:
  // (x - y) mod period < width or (x + y) mod period >= period - width (at one to one
  // (x - y) mod 8 = 0 or (x + y) mod 8 = 7).
  void crossHatch(const QRect& rect, int period, int width, QRgb colour) const {
    const QRect part = rect & clip_;
    const int count = part.width();
    for (int y = part.top(); y <= part.bottom(); ++y) {
      QRgb* const line = at(part.left(), y);
      // Offsets from part.left() of the first pixel of each diagonal on this line.
      const int falling = floorModulo(y - part.left(), period);
      const int rising = floorModulo(period - width - y - part.left(), period);
      for (const int start : {falling, rising}) {
        for (int x = start - period; x < count; x += period) {
          for (int pixel = std::max(x, 0); pixel < std::min(x + width, count); ++pixel) {
            line[pixel] = colour;
          }
        }
      }
    }
  }

  void stamp(const TextStamp& text, QPoint at, QRgb colour,
             std::optional<QRgb> background = std::nullopt) const {
    if (!text.extent().translated(at).intersects(clip_)) return;
    if (background) fill(text.cell().translated(at), *background);
    for (const QPoint& offset : text.pixels())
      pixel(at.x() + offset.x(), at.y() + offset.y(), colour);
  }

  // Whether any of the lines top .. bottom lies in the clip.
  bool reachesLines(int top, int bottom) const {
    return top <= clip_.bottom() && bottom >= clip_.top();
  }

 private:
  uchar* bits_;
  qsizetype bytesPerLine_;
  QPoint origin_;
  QRect clip_;
};

}  // namespace

void TimelineChart::paint(QImage& target, const QRect& wanted) const {
  const QRect area = wanted & rect();
  if (area.isEmpty()) return;
  const int stripLines = static_cast<int>(
      std::max<qsizetype>(1, kStripBytes / (qsizetype{area.width()} * qsizetype{sizeof(QRgb)})));
  for (int top = area.top(); top <= area.bottom(); top += stripLines) {
    const QRect strip(QPoint(area.left(), top),
                      QPoint(area.right(), std::min(area.bottom(), top + stripLines - 1)));
    paintStrip(target, area.topLeft(), strip);
  }
}

void TimelineChart::paintStrip(QImage& target, QPoint origin, const QRect& strip) const {
  const Canvas canvas(target, origin, strip);
  const ChartGeometry& g = geometry_;
  const RowLayout& inRow = g.inRow;
  const ChartColours& colours = colours_;
  const int halfDay = g.halfDay();
  const int line = g.line;
  const auto scaled = [&](int pixels) { return g.scale.apply(pixels); };

  // The background.
  canvas.fillClip(colours.background);

  // Day labels, each on a cell of the background colour.
  canvas.stamp(*dayLabels_[0].weekday, {0, 0}, colours.label, colours.background);
  canvas.stamp(*dayLabels_[0].date, {0, g.dateLabelTop()}, colours.label, colours.background);
  for (int day = 1; day <= g.span + 1; ++day) {
    const int middle = g.X(day) + halfDay;
    canvas.stamp(*dayLabels_[day].weekday, {middle - scaled(6), 0}, colours.label,
                 colours.background);
    canvas.stamp(*dayLabels_[day].date, {middle - scaled(16), g.dateLabelTop()}, colours.label,
                 colours.background);
  }

  // Day lines, through every band down to just above the date labels.
  for (int day = 0; day <= g.span; ++day) {
    canvas.patternedColumn(g.X(day), line, 0, g.dateLabelTop(), line, kDotPeriod * line,
                           colours.label);
  }

  // The rows that reach into the strip, with everything a row draws (the time labels included).
  const QRect labelExtent =
      (midnightLabel_->extent() | middayLabel_->extent()).translated(0, inRow.timeLabel);
  const int rowReachTop = std::min(inRow.dayDot, labelExtent.top());
  const int rowReachBottom = std::max(inRow.bandBottom + line - 1, labelExtent.bottom());
  const int firstRow = std::max(0, g.rowAt(strip.top() - rowReachBottom - 1) + 1);
  const int lastRow = std::min(g.rowCount - 1, g.rowAt(strip.bottom() - rowReachTop));
  // Days -1 .. S whose marks and labels may reach into the strip.
  const int firstDay = std::max(-1, floorDivide(strip.left() - g.x0, g.P) - 1);
  const int lastDay = std::min(g.span, floorDivide(strip.right() - g.x0, g.P) + 1);

  for (int row = firstRow; row <= lastRow; ++row) {
    const int y = g.rowTop(row);
    // The band: an outline, cross-hatched inside when the station is switched off.
    const int bandTop = y + inRow.bandTop, bandBottom = y + inRow.bandBottom + line - 1;
    const int right = g.W - 1;
    canvas.fill(QRect(QPoint(0, bandTop), QPoint(right, bandTop + line - 1)), colours.outline);
    canvas.fill(QRect(QPoint(0, y + inRow.bandBottom), QPoint(right, bandBottom)),
                colours.outline);
    canvas.fill(QRect(QPoint(0, bandTop), QPoint(line - 1, bandBottom)), colours.outline);
    canvas.fill(QRect(QPoint(g.W - line, bandTop), QPoint(right, bandBottom)), colours.outline);
    if (!rows_.enabled(row)) {
      canvas.crossHatch(QRect(QPoint(line, y + inRow.boxTop),
                              QPoint(g.W - 1 - line, y + inRow.boxBottom)),
                        scaled(kHatchPeriod), line, colours.hatch);
    }
    // Midnight and midday dots and notches, hour marks.
    if (canvas.reachesLines(y + inRow.dayDot, y + inRow.notchEnd - 1)) {
      const int dotHeight = inRow.hourMark - inRow.dayDot;
      const int markHeight = inRow.bandTop - inRow.hourMark;
      const int notchHeight = inRow.notchEnd - inRow.boxTop;
      for (int day = firstDay; day <= lastDay; ++day) {
        for (const int x : {g.X(day), g.X(day) + halfDay}) {
          canvas.fill(QRect(x, y + inRow.dayDot, line, dotHeight), colours.outline);
          canvas.fill(QRect(x, y + inRow.boxTop, line, notchHeight), colours.outline);
        }
        for (int hour = 1; hour <= 24; ++hour) {
          canvas.fill(QRect(g.hourMark(day, hour), y + inRow.hourMark, line, markHeight),
                      colours.outline);
        }
      }
    }
    // Time labels, without a background.
    if (canvas.reachesLines(y + labelExtent.top(), y + labelExtent.bottom())) {
      for (int day = firstDay; day <= lastDay; ++day) {
        canvas.stamp(*midnightLabel_, {g.X(day) - scaled(11), y + inRow.timeLabel}, colours.time);
        canvas.stamp(*middayLabel_, {g.X(day) + halfDay - scaled(10), y + inRow.timeLabel},
                     colours.time);
      }
    }
  }

  // Session boxes over the inside of the bands.
  for (int row = firstRow; row <= lastRow; ++row) {
    const int y = g.rowTop(row);
    if (!canvas.reachesLines(y + inRow.boxTop, y + inRow.boxBottom)) continue;
    rows_.forEachGreenStretch(row, strip.left(), strip.right() + 1, [&](int start, int end) {
      canvas.fill(QRect(QPoint(start, y + inRow.boxTop), QPoint(end - 1, y + inRow.boxBottom)),
                  colours.session);
    });
  }

  // Overlaps: where two or more rows show green in a column, dashed red over each of their boxes,
  // painted line by line.
  for (int row = firstRow; row <= lastRow; ++row) {
    const int boxTop = g.rowTop(row) + inRow.boxTop;
    const int boxBottom = g.rowTop(row) + inRow.boxBottom;
    const int first = std::max(boxTop, strip.top()), last = std::min(boxBottom, strip.bottom());
    for (int y = first; y <= last; ++y) {
      if ((y - boxTop) % (kDashPeriod * line) >= kDashLength * line) continue;
      rows_.forEachGreenStretch(row, strip.left(), strip.right() + 1, [&](int start, int end) {
        QRgb* const pixels = canvas.at(start, y);
        for (int x = start; x < end; ++x) {
          if (greenRowCount_[x] >= 2) pixels[x - start] = colours.overlap;
        }
      });
    }
  }
}

}  // namespace tarvel::autoquery::chart
