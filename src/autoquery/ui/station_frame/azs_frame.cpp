#include "autoquery/ui/station_frame/azs_frame.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>

#include "autoquery/ui/common/component_looks.h"
#include "autoquery/ui/station_frame/accessible_frame.h"
#include "autoquery/ui/station_frame/image_list.h"
#include "autoquery/ui/station_frame/station_frame_texts.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "settings/connection_type.h"

namespace tarvel::autoquery {
namespace {

constexpr int kBorder = 2;  // the flat bevel of Panel1
constexpr int kBevelWidth = 2;
constexpr int kPictureControlHeight = kFrameHeight - 2 * kBorder;
// As drawn: Panel1 173 wide in a frame of kFrameWidth, the name 128 of it; the rest (borders,
// bevels, the picture) keeps its width when the frame grows.
constexpr int kPanelShortfall = kFrameWidth - 173;
constexpr int kBesideName = 173 - 128;

// The form's bold face for the name, grown with the desktop font only as far as two lines of it
// still fit into the frame's height, which the chart's rows fix.
QFont nameFont() {
  QFont font = platform::formFont();
  font.setBold(true);
  while (font.pixelSize() > platform::kFormPixelSize &&
         2 * QFontMetrics(font).lineSpacing() > kPictureControlHeight) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

// Panel1, which marks the keyboard focus of its frame with a dotted rectangle in the one-pixel
// ring between its outline and the controls on it, so nothing else of the frame moves.
class FramePanel final : public QFrame {
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    if (parentWidget() == nullptr || !parentWidget()->hasFocus()) return;
    // A dotted line in the text colour, as the classic focus rectangle; drawn whether the focus
    // came by key or by mouse, and by no style, so it never fills what it surrounds.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
};

// A line at the left edge of a 2-pixel-wide strip, as a left-line bevel draws it.
QFrame* makeLeftLineBevel(QWidget* parent, const char* objectName, int left) {
  auto* bevel = makeComponent<QFrame>(parent, objectName);
  bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setGeometry(left, kBorder, kBevelWidth, kPictureControlHeight);
  return bevel;
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

std::string connectionDescription(int32_t connType) {
  switch (connType) {
    case settings::ConnectionType::Modem:
      return station_frame_text::kFrameModem;
    case settings::ConnectionType::Mail:
      return station_frame_text::kFrameMail;
    case settings::ConnectionType::DirectIp:
      return station_frame_text::kFrameDirectIp;
    default:
      return station_frame_text::kFrameUnknownConnection;
  }
}

}  // namespace

TAZSFrame::TAZSFrame(const ImageList& images, QWidget* parent, int width)
    : QFrame(parent), images_(images), width_(width) {
  setObjectName("TAZSFrame");
  setFocusPolicy(Qt::StrongFocus);
  resize(width_, kFrameHeight);
  createComponents();
  AccessibleFrame::frameMade();
}

TAZSFrame::~TAZSFrame() { AccessibleFrame::frameFreed(); }

int TAZSFrame::scaledFrameWidth() { return platform::scaled(kFrameWidth); }

void TAZSFrame::pressLater() {
  QTimer::singleShot(0, this,
                     [this] { platform::guarded([this] { emit FrameClick(AZSIndex_); }); });
}

void TAZSFrame::createComponents() {
  Panel1 = new FramePanel(this);
  Panel1->setObjectName("Panel1");
  const int panelWidth = width_ - kPanelShortfall;
  Panel1->setGeometry(0, 0, panelWidth, kFrameHeight);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setBackgroundRole(QPalette::Button);
  Panel1->setAutoFillBackground(true);

  lbAZSname = makeComponent<QLabel>(Panel1, "lbAZSname");
  const int nameWidth = panelWidth - kBesideName;
  lbAZSname->setGeometry(kBorder, kBorder, nameWidth, kPictureControlHeight);
  lbAZSname->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lbAZSname->setWordWrap(true);
  lbAZSname->setCursor(Qt::PointingHandCursor);
  lbAZSname->setFont(nameFont());
  setTextColor(lbAZSname, Qt::blue);

  int left = kBorder + nameWidth;
  Bevel1 = makeLeftLineBevel(Panel1, "Bevel1", left);
  left += kBevelWidth;

  Image1 = makeComponent<QLabel>(Panel1, "Image1");
  Image1->setGeometry(left, kBorder, kFramePictureSize, kPictureControlHeight);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setCursor(Qt::PointingHandCursor);
  left += kFramePictureSize;

  Bevel2 = makeLeftLineBevel(Panel1, "Bevel2", left);
}

void TAZSFrame::RefreshFrame(const TAzsItem& item) {
  move(0, item.Index * kFrameStep + kFirstFrameTop);
  const QString name = platform::toUnicode(item.AZSName);
  lbAZSname->setText(name);
  resize(width_, kFrameHeight);

  statusIcon_ = item.Enable ? IconIndex::PollingOn : IconIndex::PollingOff;
  connectionIcon_ = connectionIconIndex(item.ConnType, statusIcon_);
  paintPicture();

  setAccessibleName(name);
  setAccessibleDescription(platform::toUnicode(
      (item.Enable ? std::string(station_frame_text::kFramePollingOn)
                   : std::string(station_frame_text::kFramePollingOff)) +
      station_frame_text::kFrameDescriptionJoint + connectionDescription(item.ConnType)));
}

void TAZSFrame::paintPicture() {
  if (Image1 == nullptr) return;  // not made yet
  picture_ = QImage(kFramePictureSize, kFramePictureSize, QImage::Format_RGB32);
  // Panel1's colour, which it takes from the frame (read here, as the frame hears of a change of
  // the palette before its children do).
  picture_.fill(palette().color(QPalette::Button));
  QPainter painter(&picture_);
  painter.drawImage(0, 0, images_.imageWhiteTransparent(statusIcon_));
  painter.drawImage(kIconSize, 0, images_.imageWhiteTransparent(connectionIcon_));
  painter.end();
  Image1->setPixmap(QPixmap::fromImage(picture_));
}

void TAZSFrame::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  // The icons stand on Panel1's colour, which a change of the desktop's theme changes.
  if (event->type() == QEvent::PaletteChange) platform::guarded([this] { paintPicture(); });
}

void TAZSFrame::mousePressEvent(QMouseEvent* event) {
  // The name and the picture pass their presses on, so the whole frame answers a click.
  event->accept();
}

void TAZSFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  platform::guarded([this] { emit FrameClick(AZSIndex_); });
}

void TAZSFrame::keyPressEvent(QKeyEvent* event) {
  const bool opens = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                     event->key() == Qt::Key_Space;
  // The keypad's Enter comes with the keypad modifier.
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (!opens || !plain || event->isAutoRepeat()) {
    // Arrows and page keys go on to the scroll box, which scrolls.
    QFrame::keyPressEvent(event);
    return;
  }
  event->accept();
  platform::guarded([this] { emit FrameClick(AZSIndex_); });
}

void TAZSFrame::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  Panel1->update();
  // However the focus came (Tab, a click, an assistive client), the operator sees the frame.
  for (QWidget* ancestor = parentWidget(); ancestor != nullptr;
       ancestor = ancestor->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
      area->ensureWidgetVisible(this, 0, 0);
      break;
    }
  }
}

void TAZSFrame::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  Panel1->update();
}

}  // namespace tarvel::autoquery
