#include "autoquery/ui/office_window/legend_pictures.h"

#include <QPainter>
#include <algorithm>

#include "autoquery/ui/station_frame/image_list.h"

namespace tarvel::autoquery {

QPixmap legendSwatch(const QColor& colour, const QColor& background, const QColor& outline,
                     bool crossHatched) {
  QPixmap swatch(kSwatchSize, kSwatchSize);
  swatch.fill(crossHatched ? background : colour);
  QPainter painter(&swatch);
  if (crossHatched) {
    painter.fillRect(swatch.rect(), QBrush(colour, Qt::DiagCrossPattern));
  }
  painter.setPen(outline);
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  return swatch;
}

QPixmap legendIcons(const ImageList& images, std::initializer_list<int> indices,
                    const QColor& background, int lineStep) {
  lineStep = std::max(lineStep, kIconSize);
  QImage picture(kIconSize, lineStep * static_cast<int>(indices.size()), QImage::Format_RGB32);
  picture.fill(background);
  // Each icon in the middle of its line.
  int top = (lineStep - kIconSize) / 2;
  for (const int index : indices) {
    const QImage& icon = images.image(index);
    for (int y = 0; y < kIconSize; ++y) {
      for (int x = 0; x < kIconSize; ++x) {
        const QRgb pixel = icon.pixel(x, y);
        if ((pixel & 0x00FFFFFFu) != 0x00FFFFFFu) picture.setPixel(x, top + y, pixel);
      }
    }
    top += lineStep;
  }
  return QPixmap::fromImage(picture);
}

}  // namespace tarvel::autoquery
