// Colours that stay readable on any background, measured as the accessibility guidelines of the
// web (WCAG 2) measure them: a text wants at least 4.5:1 against what it stands on, a line or a
// mark 3:1. A desktop's dark theme turns backgrounds dark while colours fixed in code stay as
// they were; these helpers find a fixed colour's counterpart of the same hue that can be seen.
// Qt Gui only, so widgets and painters without widgets can share them.
#pragma once

#include <QColor>

namespace tarvel::platform {

inline constexpr double kTextContrast = 4.5;
inline constexpr double kLineContrast = 3.0;

// The relative luminance of an sRGB colour: 0 for black .. 1 for white.
double relativeLuminance(const QColor& colour);

// The contrast ratio of two colours: 1 (the same luminance) .. 21 (black and white).
double contrastRatio(const QColor& first, const QColor& second);

// Whether white stands out more on the background than black does.
bool isDarkBackground(const QColor& background);

// The colour itself when it has at least minimumRatio against background; otherwise the colour
// of the same hue and saturation whose lightness is the nearest to its own that has it (lighter
// on a dark background, darker on a light one); when no lightness has it, white or black,
// whichever stands out more.
QColor readableCounterpart(const QColor& colour, const QColor& background, double minimumRatio);

// drawn, on a light background; on a dark one, drawn itself where it reaches minimumRatio
// against the background, else its lighter counterpart of the same hue that does.
QColor readableOn(const QColor& drawn, const QColor& background, double minimumRatio);

}  // namespace tarvel::platform
