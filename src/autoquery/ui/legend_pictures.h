// The pictures of the office window's legend: the three colour swatches of the chart and the
// two columns of icons (Image2: on, off; Image3: modem, e-mail, IP) in the order of their labels.
#pragma once

#include <QColor>
#include <QPixmap>
#include <initializer_list>

namespace tarvel::autoquery {

class ImageList;

inline constexpr int kSwatchSize = 16;

// A 16 x 16 swatch with a black outline: filled with colour, or, when crossHatched, the
// background crossed by diagonal lines of colour.
QPixmap legendSwatch(const QColor& colour, const QColor& background, bool crossHatched);

// The icons at these indices stacked top to bottom, their white made transparent over the
// background.
QPixmap legendIcons(const ImageList& images, std::initializer_list<int> indices,
                    const QColor& background);

}  // namespace tarvel::autoquery
