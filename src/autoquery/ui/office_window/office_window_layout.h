// Places in the office window that both its construction and its resizing use.
#pragma once

#include <QPoint>

namespace tarvel::autoquery::office_window_layout {

inline constexpr int kHeaderHeight = 13;
// Image1 stands right of the frames, its top at the first frame's band.
inline constexpr QPoint kChartPlace(176, 13);
inline constexpr int kButtonWidth = 85;
inline constexpr int kButtonHeight = 28;
inline constexpr int kButtonTop = 7;
inline constexpr int kButtonGap = 6;
inline constexpr int kRightMargin = 8;

}  // namespace tarvel::autoquery::office_window_layout
