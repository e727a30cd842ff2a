#include "autoquery/ui/azs_frame.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "autoquery/ui/component_looks.h"
#include "autoquery/ui/image_list.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "settings/connection_type.h"

namespace tarvel::autoquery {
namespace {

constexpr int kPanelWidth = 173;
constexpr int kBorder = 2;  // the flat bevel of Panel1
constexpr int kNameWidth = 128;
constexpr int kBevelWidth = 2;
constexpr int kPictureControlHeight = kFrameHeight - 2 * kBorder;

// A line at the left edge of a 2-pixel-wide strip, as a left-line bevel draws it.
QFrame* makeLeftLineBevel(QWidget* parent, const char* objectName, int left) {
  auto* bevel = makeComponent<QFrame>(parent, objectName);
  bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setGeometry(left, kBorder, kBevelWidth, kPictureControlHeight);
  return bevel;
}

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

int connectionIconIndex(int32_t connType, int statusIcon) {
  switch (connType) {
    case settings::ConnectionType::Modem:
      return IconIndex::Modem;
    case settings::ConnectionType::Mail:
      return IconIndex::Mail;
    case settings::ConnectionType::DirectIp:
      return IconIndex::DirectIp;
    default:
      // A connection type the office does not know shows the status icon again.
      return statusIcon;
  }
}

}  // namespace

TAZSFrame::TAZSFrame(const ImageList& images, QWidget* parent) : QFrame(parent), images_(images) {
  setObjectName("TAZSFrame");
  resize(kFrameWidth, kFrameHeight);
  createComponents();
}

void TAZSFrame::createComponents() {
  Panel1 = makeComponent<QFrame>(this, "Panel1");
  Panel1->setGeometry(0, 0, kPanelWidth, kFrameHeight);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setBackgroundRole(QPalette::Button);
  Panel1->setAutoFillBackground(true);

  lbAZSname = makeComponent<QLabel>(Panel1, "lbAZSname");
  lbAZSname->setGeometry(kBorder, kBorder, kNameWidth, kPictureControlHeight);
  lbAZSname->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lbAZSname->setWordWrap(true);
  lbAZSname->setCursor(Qt::PointingHandCursor);
  QFont nameFont = platform::formFont();
  nameFont.setBold(true);
  lbAZSname->setFont(nameFont);
  setTextColor(lbAZSname, Qt::blue);

  int left = kBorder + kNameWidth;
  Bevel1 = makeLeftLineBevel(Panel1, "Bevel1", left);
  left += kBevelWidth;

  Image1 = makeComponent<QLabel>(Panel1, "Image1");
  Image1->setGeometry(left, kBorder, kFramePictureSize, kPictureControlHeight);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setCursor(Qt::PointingHandCursor);
  left += kFramePictureSize;

  Bevel2 = makeLeftLineBevel(Panel1, "Bevel2", left);
}

void TAZSFrame::refresh(const TAzsItem& item) {
  move(0, item.Index * kFrameStep + kFirstFrameTop);
  lbAZSname->setText(platform::toUnicode(item.AZSName));
  resize(kFrameWidth, kFrameHeight);

  picture_ = QImage(kFramePictureSize, kFramePictureSize, QImage::Format_RGB32);
  picture_.fill(Panel1->palette().color(QPalette::Button));
  const int statusIcon = item.Enable ? IconIndex::PollingOn : IconIndex::PollingOff;
  QPainter painter(&picture_);
  painter.drawImage(0, 0, withWhiteTransparent(images_.image(statusIcon)));
  painter.drawImage(
      kIconSize, 0,
      withWhiteTransparent(images_.image(connectionIconIndex(item.ConnType, statusIcon))));
  painter.end();
  Image1->setPixmap(QPixmap::fromImage(picture_));
}

void TAZSFrame::mousePressEvent(QMouseEvent* event) {
  // The name and the picture pass their presses on, so the whole frame answers a click.
  event->accept();
}

void TAZSFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  platform::guarded([this] { emit FrameClick(AZSIndex_); });
}

}  // namespace tarvel::autoquery
