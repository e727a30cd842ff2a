#include "autoquery/ui/station_frame/image_list.h"

#include <QResource>
#include <stdexcept>
#include <string>

// The resources of a static library are registered by the program that uses them; this does it
// for whichever program links the office's windows.
static void registerAutoqueryIcons() { Q_INIT_RESOURCE(autoquery_icons); }

namespace tarvel::autoquery {
namespace {

constexpr const char* kIconFiles[kIconCount] = {
    ":/autoquery/icons/polling_on.png", ":/autoquery/icons/polling_off.png",
    ":/autoquery/icons/modem.png",      ":/autoquery/icons/mail.png",
    ":/autoquery/icons/direct_ip.png",
};

// The icon with its pure white pixels made transparent.
QImage withWhiteTransparent(const QImage& icon) {
  QImage image = icon.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return image;
}

void checkIndex(int index) {
  if (index < 0 || index >= kIconCount) {
    throw std::out_of_range("image list index " + std::to_string(index) + " out of range");
  }
}

}  // namespace

ImageList::ImageList() {
  registerAutoqueryIcons();
  for (int index = 0; index < kIconCount; ++index) {
    images_[index] =
        QImage(QString::fromLatin1(kIconFiles[index])).convertToFormat(QImage::Format_RGB32);
    if (images_[index].isNull()) {
      throw std::runtime_error(std::string("icon resource missing: ") + kIconFiles[index]);
    }
    whiteTransparent_[index] = withWhiteTransparent(images_[index]);
  }
}

const QImage& ImageList::image(int index) const {
  checkIndex(index);
  return images_[index];
}

const QImage& ImageList::imageWhiteTransparent(int index) const {
  checkIndex(index);
  return whiteTransparent_[index];
}

}  // namespace tarvel::autoquery
