// ImageList1 of the office window: the five 19 x 19 icons on a white background, by index.
#pragma once

#include <QImage>
#include <array>

namespace tarvel::autoquery {

// The icons' indices in the list.
struct IconIndex {
  enum : int {
    PollingOn = 0,
    PollingOff = 1,
    Modem = 2,
    Mail = 3,
    DirectIp = 4,
  };
};

inline constexpr int kIconSize = 19;
inline constexpr int kIconCount = 5;

class ImageList {
 public:
  // Loads the five icons from the library's resources.
  ImageList();

  // The icon at index; std::out_of_range outside 0 .. kIconCount - 1.
  const QImage& image(int index) const;
  // The same icon with its pure white pixels transparent, as a frame draws it.
  const QImage& imageWhiteTransparent(int index) const;

  int count() const { return kIconCount; }

 private:
  std::array<QImage, kIconCount> images_;
  std::array<QImage, kIconCount> whiteTransparent_;
};

}  // namespace tarvel::autoquery
