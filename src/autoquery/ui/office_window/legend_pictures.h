// The pictures of the office window's legend: the three colour swatches of the chart and the
// two columns of icons (Image2: on, off; Image3: modem, e-mail, IP) in the order of their labels.
#pragma once

#include <QColor>
#include <QPixmap>
#include <initializer_list>

namespace tarvel::autoquery {

class ImageList;

inline constexpr int kSwatchSize = 16;

// A 16 x 16 swatch with an outline (black as drawn): filled with colour, or, when crossHatched,
// the background crossed by diagonal lines of colour.
QPixmap legendSwatch(const QColor& colour, const QColor& background, const QColor& outline,
                     bool crossHatched);

// The icons at these indices stacked top to bottom, one in each lineStep (at least kIconSize)
// beside the lines of their labels, their white made transparent over the background.
QPixmap legendIcons(const ImageList& images, std::initializer_list<int> indices,
                    const QColor& background, int lineStep);

}  // namespace tarvel::autoquery
