// TAZSFrame: one station's view in the office window: its name and a picture of two icons,
// polling on or off and the connection type. A click anywhere on it, or Enter or Space while it
// has the keyboard focus, asks for the station's schedule editor. The office window makes it
// when it needs it and refreshes it from the station's record (RefreshFrame). For assistive
// technology it is a button named after the station: its press action opens the editor as a
// click does, and a frame that takes the focus, also from an assistive client, scrolls into
// sight.
#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>

#include "autoquery/core/azs_item.h"

class QLabel;

namespace tarvel::autoquery {

class ImageList;

// As drawn; a larger desktop font widens the frame (formScale), never heightens it: its rows
// stand beside the chart's.
inline constexpr int kFrameWidth = 175;
inline constexpr int kFrameHeight = 40;
// The frame of the item at Index stands at top Index * kFrameStep + kFirstFrameTop.
inline constexpr int kFrameStep = 40;
inline constexpr int kFirstFrameTop = 15;
inline constexpr int kFramePictureSize = 38;

class TAZSFrame : public QFrame {
  Q_OBJECT

 public:
  // images: the office window's ImageList1, which must outlive the frame; width: the frame's,
  // kFrameWidth grown with formScale unless given. Takes the keyboard focus by Tab and by click
  // (the office window leads Tab through its frames itself).
  TAZSFrame(const ImageList& images, QWidget* parent, int width = scaledFrameWidth());
  // kFrameWidth at formScale.
  static int scaledFrameWidth();
  ~TAZSFrame() override;

  QFrame* Panel1 = nullptr;
  QLabel* lbAZSname = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QFrame* Bevel2 = nullptr;

  // Places the frame for the item's Index, shows its name, paints the picture of its status
  // and connection icons on Panel1's colour (again whenever the palette changes), and names it
  // for screen readers: the station's name, and a description of its polling state and
  // connection type.
  void RefreshFrame(const TAzsItem& item);

  // The index in the registry of the item the frame shows; the editor opened by a click edits
  // that item.
  int32_t AZSIndex() const { return AZSIndex_; }
  void setAZSIndex(int32_t index) { AZSIndex_ = index; }

  // The picture RefreshFrame shows in Image1: 38 x 38, the lowest two rows hidden by it.
  const QImage& picture() const { return picture_; }

  // What a click does, once the event that asks for it has been handled: an assistive client's
  // press must not wait for the modal editor to close.
  void pressLater();

 signals:
  // A click on the frame, its name or its picture, or Enter or Space on the focused frame, with
  // the frame's AZSIndex.
  void FrameClick(int32_t azsIndex);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void createComponents();
  void paintPicture();

  const ImageList& images_;
  const int width_;
  int32_t AZSIndex_ = 0;
  int statusIcon_ = 0;
  int connectionIcon_ = 0;
  QImage picture_;
};

}  // namespace tarvel::autoquery
