#include "autoquery/ui/image_list.h"

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

}  // namespace

ImageList::ImageList() {
  registerAutoqueryIcons();
  for (int index = 0; index < kIconCount; ++index) {
    images_[index] =
        QImage(QString::fromLatin1(kIconFiles[index])).convertToFormat(QImage::Format_RGB32);
    if (images_[index].isNull()) {
      throw std::runtime_error(std::string("icon resource missing: ") + kIconFiles[index]);
    }
  }
}

const QImage& ImageList::image(int index) const {
  if (index < 0 || index >= kIconCount) {
    throw std::out_of_range("image list index " + std::to_string(index) + " out of range");
  }
  return images_[index];
}

}  // namespace tarvel::autoquery
