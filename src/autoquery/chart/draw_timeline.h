// DrawTimeline: the whole chart as one picture, for an export and for tests. The office window
// does not use it: it paints only what is exposed (chart_widget.h), because a whole picture of a
// large chain does not fit in memory (31 days at zoom 5 are 15 500 pixels wide, so 1 000
// stations make 2.5 GB). Above kMaxPictureBytes DrawTimeline therefore fails with a clear error.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "platform/clock.h"

namespace tarvel::autoquery {
class TAzsItem;
}

namespace tarvel::autoquery::chart {

// The largest whole picture drawn: 512 MiB of 32-bit pixels (at 15 500 pixels wide, 216
// stations).
inline constexpr int64_t kMaxPictureBytes = int64_t{512} << 20;

// Paints the W x H chart of the items (row i shows items[i]) at a zoom (1 .. 5) over span days
// (1 .. 31), at the clock's present moment, into the picture slot: a null image is created, any
// other is given the chart's size. On any error the slot keeps what it held. Throws
// std::runtime_error for a time text that cannot be read or a picture above kMaxPictureBytes (the
// message says why, in Windows-1251), std::invalid_argument for a zoom or span out of range.
void DrawTimeline(std::span<const TAzsItem* const> items, QImage& picture, int zoom, int span,
                  QRgb buttonFace);

// The same at a given moment.
void drawTimelineAt(std::span<const TAzsItem* const> items, QImage& picture, int zoom, int span,
                    QRgb buttonFace, platform::DateTime now);

}  // namespace tarvel::autoquery::chart
