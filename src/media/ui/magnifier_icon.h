// The magnifying-glass picture of the folder-choice button.
#pragma once

#include <QIcon>

namespace tarvel::media {

// The theme's "edit-find" icon; where the platform has no icon theme, a 16 x 16 magnifying
// glass drawn on a transparent background, its outlines readable on the button's background.
QIcon magnifierIcon(const QColor& background);

}  // namespace tarvel::media
