#include "autoquery/ui/office_window/station_frame_column.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <functional>
#include <utility>

#include "autoquery/core/auto_azs.h"
#include "autoquery/ui/station_frame/azs_frame.h"

namespace tarvel::autoquery {

StationFrameColumn::StationFrameColumn(QScrollArea& scrollBox, tAutoAZS& registry,
                                       const ImageList& images, int frameWidth, int shift)
    : scrollBox_(scrollBox),
      registry_(registry),
      images_(images),
      frameWidth_(frameWidth),
      shift_(shift) {}

TAZSFrame* StationFrameColumn::frameAt(int32_t position) const {
  if (position < 0 || static_cast<size_t>(position) >= frames_.size()) return nullptr;
  return frames_[static_cast<size_t>(position)];
}

QWidget* StationFrameColumn::focusWidget() const { return scrollBox_.window()->focusWidget(); }

void StationFrameColumn::refresh() {
  const auto count = static_cast<size_t>(registry_.Count());
  for (size_t position = count; position < frames_.size(); ++position) delete frames_[position];
  if (frames_.size() > count) frames_.resize(count);
  for (size_t band = (count + kFramesPerBand - 1) / kFramesPerBand; band < bandHasFrames_.size();
       ++band) {
    bandHasFrames_[band] = false;
  }
  for (size_t position = 0; position < frames_.size(); ++position) {
    if (TAZSFrame* frame = frames_[position]) {
      const TAzsItem& item = registry_.Items(static_cast<int32_t>(position));
      frame->setAZSIndex(item.Index);
      frame->RefreshFrame(item);
    }
  }
}

QWidget* StationFrameColumn::band(int position) {
  // Each band covers the contents from the top, so the frames keep their places, and shows (and
  // takes clicks in) only its own strip.
  const auto index = static_cast<size_t>(position / kFramesPerBand);
  while (bands_.size() <= index) {
    auto* strip = new QWidget(scrollBox_.widget());
    strip->setObjectName(QString("FrameBand%1").arg(bands_.size()));
    const int top = kFirstFrameTop + static_cast<int>(bands_.size()) * kFramesPerBand * kFrameStep;
    strip->setMask(QRegion(0, top, frameWidth_, kFramesPerBand * kFrameStep));
    strip->setGeometry(0, shift_, frameWidth_, top + kFramesPerBand * kFrameStep);
    strip->hide();
    bands_.push_back(strip);
    bandHasFrames_.push_back(false);
  }
  return bands_[index];
}

void StationFrameColumn::makeFrames(int32_t first, int32_t end) {
  first = std::max(first, int32_t{0});
  end = std::min(end, registry_.Count());
  if (first >= end) return;
  if (frames_.size() < static_cast<size_t>(end)) frames_.resize(static_cast<size_t>(end), nullptr);
  bool madeAny = false;
  for (int32_t position = first; position < end; ++position) {
    TAZSFrame*& frame = frames_[static_cast<size_t>(position)];
    if (frame != nullptr) continue;
    madeAny = true;
    QWidget* strip = band(position);
    bandHasFrames_[static_cast<size_t>(position / kFramesPerBand)] = true;
    frame = new TAZSFrame(images_, strip, frameWidth_);
    // Tab reaches the frames through tabStep, in the stations' order; Qt's own focus chain,
    // which would put them in the order they were made, leaves them out.
    frame->setFocusPolicy(Qt::ClickFocus);
    connect(frame, &TAZSFrame::FrameClick, this, &StationFrameColumn::FrameClicked);
    const TAzsItem& item = registry_.Items(position);
    frame->setAZSIndex(item.Index);
    frame->RefreshFrame(item);
    frame->show();
    strip->show();
  }
  // Assistive technology lists a band's frames in the order they stand among its children:
  // frames made later (scrolled up to, or made again) go back to their stations' places.
  if (!madeAny) return;
  const auto bandsEnd = std::min(
      frames_.size(), static_cast<size_t>((end - 1) / kFramesPerBand + 1) * kFramesPerBand);
  for (auto position = static_cast<size_t>(first / kFramesPerBand * kFramesPerBand);
       position < bandsEnd; ++position) {
    if (TAZSFrame* frame = frames_[position]) frame->raise();
  }
}

void StationFrameColumn::freeAll() {
  for (QWidget* strip : bands_) delete strip;
  bands_.clear();
  bandHasFrames_.clear();
  frames_.clear();
}

void StationFrameColumn::freeBand(int band) {
  const auto first = static_cast<size_t>(band) * kFramesPerBand;
  const size_t end = std::min(first + kFramesPerBand, frames_.size());
  for (size_t position = first; position < end; ++position) {
    delete frames_[position];
    frames_[position] = nullptr;
  }
  bandHasFrames_[static_cast<size_t>(band)] = false;
}

void StationFrameColumn::freeBandsFarFromSight(int sightFirstBand, int sightLastBand) {
  std::vector<std::pair<int, int>> freeable;  // distance from sight, band
  for (size_t band = 0; band < bandHasFrames_.size(); ++band) {
    if (!bandHasFrames_[band] || bands_[band]->isAncestorOf(focusWidget())) continue;
    const int index = static_cast<int>(band);
    if (index >= sightFirstBand && index <= sightLastBand) continue;
    freeable.emplace_back(std::max(sightFirstBand - index, index - sightLastBand), index);
  }
  const auto made =
      static_cast<int>(std::count(bandHasFrames_.begin(), bandHasFrames_.end(), true));
  const int surplus = made - kMadeBandLimit;
  if (surplus <= 0) return;
  std::sort(freeable.begin(), freeable.end(), std::greater<>());
  for (int n = 0; n < surplus && n < static_cast<int>(freeable.size()); ++n) {
    freeBand(freeable[static_cast<size_t>(n)].second);
  }
}

void StationFrameColumn::showInSight() {
  if (!scrollBox_.window()->isVisible()) return;
  // In the bands' coordinates.
  const int sightTop = scrollBox_.verticalScrollBar()->value() - shift_;
  const int sightBottom = sightTop + scrollBox_.viewport()->height();
  const int bandHeight = kFramesPerBand * kFrameStep;
  // The stations in sight, and a few on either side so that small steps find their frames made.
  constexpr int kMargin = 4;
  makeFrames((sightTop - kFirstFrameTop) / kFrameStep - kMargin,
             (sightBottom - kFirstFrameTop) / kFrameStep + 1 + kMargin);
  const int bandCount = static_cast<int>(bands_.size());
  int sightFirstBand = bandCount;
  int sightLastBand = -1;
  for (int index = 0; index < bandCount; ++index) {
    const int top = kFirstFrameTop + index * bandHeight;
    QWidget* strip = bands_[static_cast<size_t>(index)];
    if (top < sightBottom && top + bandHeight > sightTop) {
      strip->show();
      sightFirstBand = std::min(sightFirstBand, index);
      sightLastBand = index;
    } else if (!strip->isAncestorOf(focusWidget())) {
      // Hiding the band that holds the focus would throw the focus elsewhere.
      strip->hide();
    }
  }
  freeBandsFarFromSight(sightFirstBand, sightLastBand);
}

void StationFrameColumn::focusFirstAtTheTop() {
  // Scrolling makes the frames that come into sight.
  scrollBox_.verticalScrollBar()->setValue(0);
  scrollBox_.horizontalScrollBar()->setValue(0);
  if (TAZSFrame* first = frameAt(0)) {
    first->setFocus(Qt::OtherFocusReason);
  } else {
    scrollBox_.setFocus(Qt::OtherFocusReason);
  }
}

QWidget* StationFrameColumn::tabStopAfterFrames() const {
  QWidget* window = scrollBox_.window();
  for (QWidget* widget = scrollBox_.nextInFocusChain(); widget != &scrollBox_;
       widget = widget->nextInFocusChain()) {
    if (widget == window) break;
    if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window) ||
        !widget->isEnabled() || scrollBox_.isAncestorOf(widget)) {
      continue;
    }
    return widget;
  }
  return nullptr;
}

bool StationFrameColumn::tabStep(bool next, QWidget* chart) {
  QWidget* focus = focusWidget();
  const int32_t count = registry_.Count();
  int32_t target = -1;
  QWidget* outside = nullptr;
  if (focus == &scrollBox_ && next) target = 0;
  if (focus != nullptr && focus == tabStopAfterFrames() && !next) {
    if (chart != nullptr) {
      outside = chart;
    } else {
      target = count - 1;
    }
  }
  if (focus != nullptr && focus == chart) {
    if (next) outside = tabStopAfterFrames();
    if (!next) target = count - 1;
    if (!next && count == 0) outside = &scrollBox_;
  }
  if (const auto* frame = qobject_cast<const TAZSFrame*>(focus)) {
    const auto place = std::find(frames_.begin(), frames_.end(), frame);
    if (place != frames_.end()) {
      target = static_cast<int32_t>(place - frames_.begin()) + (next ? 1 : -1);
      if (target >= count) outside = chart != nullptr ? chart : tabStopAfterFrames();
      if (target < 0) outside = &scrollBox_;
    }
  }
  const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
  if (outside != nullptr) {
    outside->setFocus(reason);
    return true;
  }
  if (target < 0 || target >= count) return false;
  makeFrames(target, target + 1);
  TAZSFrame* frame = frames_[static_cast<size_t>(target)];
  frame->setFocus(reason);
  scrollBox_.ensureWidgetVisible(frame);
  return true;
}

}  // namespace tarvel::autoquery
