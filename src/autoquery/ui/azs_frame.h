// TAZSFrame: one station's view in the office window: its name and a picture of two icons,
// polling on or off and the connection type. A click anywhere on it asks for the station's
// schedule editor.
#pragma once

#include <QFrame>
#include <cstdint>

#include "autoquery/core/azs_item.h"

class QLabel;

namespace tarvel::autoquery {

class ImageList;

inline constexpr int kFrameWidth = 175;
inline constexpr int kFrameHeight = 40;
// The frame of the item at Index stands at top Index * kFrameStep + kFirstFrameTop.
inline constexpr int kFrameStep = 40;
inline constexpr int kFirstFrameTop = 15;
inline constexpr int kFramePictureSize = 38;

class TAZSFrame : public QFrame, public ItemView {
  Q_OBJECT

 public:
  // images: the office window's ImageList1, which must outlive the frame.
  TAZSFrame(const ImageList& images, QWidget* parent);

  QFrame* Panel1 = nullptr;
  QLabel* lbAZSname = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Image1 = nullptr;
  QFrame* Bevel2 = nullptr;

  // RefreshFrame: places the frame for the item's Index, shows its name and paints the picture
  // of its status and connection icons on Panel1's colour.
  void refresh(const TAzsItem& item) override;
  void setVisible(bool visible) override { QFrame::setVisible(visible); }
  void setAZSIndex(int32_t index) override { AZSIndex_ = index; }
  int32_t AZSIndex() const override { return AZSIndex_; }

  // The picture RefreshFrame shows in Image1: 38 x 38, the lowest two rows hidden by it.
  const QImage& picture() const { return picture_; }

 signals:
  // A click on the frame, its name or its picture, with the frame's AZSIndex.
  void FrameClick(int32_t azsIndex);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void createComponents();

  const ImageList& images_;
  int32_t AZSIndex_ = 0;
  QImage picture_;
};

}  // namespace tarvel::autoquery
