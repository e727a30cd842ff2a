#include "autoquery/chart/text_stamp.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace tarvel::autoquery::chart {
namespace {

constexpr int kDayPixels = 11, kTimePixels = 9;

QFont labelFont(LabelFont kind, PixelScale scale) {
  QFont font;
  if (kind == LabelFont::Day) {
    font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(scale.apply(kDayPixels));
    font.setBold(true);
  } else {
    font.setFamilies(
        {"Small Fonts", "Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"});
    font.setPixelSize(scale.apply(kTimePixels));
  }
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace

TextStamp::TextStamp(const QString& text, LabelFont kind, PixelScale scale) {
  const QFont font = labelFont(kind, scale);
  const QFontMetrics metrics(font);
  cell_ = QRect(0, 0, metrics.horizontalAdvance(text), metrics.height());
  // Glyphs may reach past their cell (bold overhang, descenders), so draw with a margin.
  const int margin = metrics.height();
  QImage scratch(cell_.width() + 2 * margin, cell_.height() + 2 * margin, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  {
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(margin, margin + metrics.ascent()), text);
  }
  extent_ = cell_;
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width(); ++x) {
      if (qGray(line[x]) < 128) {
        pixels_.emplace_back(x - margin, y - margin);
        extent_ |= QRect(x - margin, y - margin, 1, 1);
      }
    }
  }
}

const TextStamp& stampOf(const QString& text, LabelFont font, PixelScale scale) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::logic_error("chart labels need a QGuiApplication");
  }
  static std::mutex lock;
  static std::map<std::tuple<int, int, int, QString>, std::unique_ptr<TextStamp>> stamps;
  const std::lock_guard guard(lock);
  auto& stamp = stamps[{static_cast<int>(font), scale.numerator, scale.denominator, text}];
  if (!stamp) stamp = std::make_unique<TextStamp>(text, font, scale);
  return *stamp;
}

}  // namespace tarvel::autoquery::chart
