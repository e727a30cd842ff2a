// The office window's column of station frames: one TAZSFrame per item of the registry, made only
// when it is needed. While the window is shown, the stations that come into sight (and the one
// Tab moves to) get their frames; the frames of bands far from sight are freed beyond
// kMadeBandLimit, and all of them when the window closes. A chain of ten thousand stations so
// costs no widgets until the operator looks, and then at most a thousand frames however far the
// operator scrolls.
#pragma once

#include <QObject>
#include <cstdint>
#include <vector>

class QScrollArea;
class QWidget;

namespace tarvel::autoquery {

class ImageList;
class TAZSFrame;
class tAutoAZS;

// The station frames stand in bands of this many (see band()).
inline constexpr int kFramesPerBand = 25;
// At most this many bands keep their frames: beyond it, those farthest from sight are freed (and
// made again when they come back), so scrolling through a long chain does not pile up widgets.
inline constexpr int kMadeBandLimit = 40;

class StationFrameColumn : public QObject {
  Q_OBJECT

 public:
  // The frames of the registry's items, on the contents of the scroll box, frameWidth wide and
  // moved down by shift (a header grown with a larger desktop font). The scroll box, the
  // registry and the images must outlive every use of the column; the frames go with the
  // scroll box's contents.
  StationFrameColumn(QScrollArea& scrollBox, tAutoAZS& registry, const ImageList& images,
                     int frameWidth, int shift);

  // The frame of the item at a position, or nullptr when none was made.
  TAZSFrame* frameAt(int32_t position) const;

  // After the registry changed: frames of items that are gone are freed, the others show their
  // item again.
  void refresh();
  // While the window is shown: makes the frames of the stations that the scroll box's viewport
  // reaches (and a few beyond), shows their bands and hides the others, so that Qt keeps only
  // the frames in sight shown. A band holding the keyboard focus stays shown.
  void showInSight();
  // Frees every frame and band.
  void freeAll();

  // Scrolls to the top of the list and gives the first station's frame the focus (the scroll box
  // itself when there is no station). The window takes that focus when it is activated.
  void focusFirstAtTheTop();
  // One step of Tab (next) or Shift+Tab into, through or out of the column, in the stations'
  // order, with the chart (nullptr: hidden) between the last frame and the widgets below the
  // scroll box; the frame it moves to is made first. False when the step is not the column's.
  bool tabStep(bool next, QWidget* chart);

 signals:
  // A station frame was clicked; azsIndex is the frame's AZSIndex.
  void FrameClicked(int32_t azsIndex);

 private:
  // The band that holds the frame of the item at this position, made when first needed. Qt
  // weighs every repainted widget against all its later siblings, so thousands of frames side by
  // side in one parent would make painting slow; in bands, a frame has at most kFramesPerBand
  // siblings.
  QWidget* band(int position);
  // Makes the frames of the items at positions first .. end - 1 that have none yet, shown, with
  // their bands.
  void makeFrames(int32_t first, int32_t end);
  void freeBand(int band);
  // Frees the frames of the bands farthest from sight (never one holding the focus) while more
  // than kMadeBandLimit bands have frames.
  void freeBandsFarFromSight(int sightFirstBand, int sightLastBand);
  // The first widget Tab reaches after the column (normally tbMash).
  QWidget* tabStopAfterFrames() const;
  QWidget* focusWidget() const;

  QScrollArea& scrollBox_;
  tAutoAZS& registry_;
  const ImageList& images_;
  const int frameWidth_;
  const int shift_;
  std::vector<QWidget*> bands_;
  std::vector<TAZSFrame*> frames_;   // by the item's position; nullptr where none was made
  std::vector<bool> bandHasFrames_;  // by band
};

}  // namespace tarvel::autoquery
