// The cost of the schedule chart. A whole picture of 100 stations over 31 days at zoom 5
// (15 500 x 4 020) against merely allocating and filling a bitmap of that size; and what the
// office window pays for one screen of a chain of 10 000 stations: preparing the chart for a
// redraw (every station's boxes and the green rows of every column) plus painting a 1 280 x 720
// viewport at the top, the middle and the end of the chart.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <memory>
#include <vector>

#include "autoquery/chart/draw_timeline.h"
#include "autoquery/chart/timeline_chart.h"
#include "autoquery/core/azs_item.h"

namespace {

using tarvel::autoquery::ConnectionPoint;
using tarvel::autoquery::ScheduleKind;
using tarvel::autoquery::TAzsItem;
using tarvel::autoquery::chart::TimelineChart;

constexpr QRgb kButtonFace = 0xFFF0F0F0;
constexpr int kZoom = 5, kSpan = 31;

// A chain like a real one: most stations polled daily two or three times (many at the same
// popular hours, so they meet), some on weekdays, some switched off.
struct Chain {
  std::vector<std::unique_ptr<TAzsItem>> owned;
  std::vector<const TAzsItem*> items;

  explicit Chain(int count) {
    for (int i = 0; i < count; ++i) {
      auto item = std::make_unique<TAzsItem>();
      item->Enable = i % 10 != 9;
      char first[8], second[8];
      std::snprintf(first, sizeof first, "%02d:%02d", 6 + i % 4, (i * 7) % 60);
      std::snprintf(second, sizeof second, "%02d:%02d", 18 + i % 5, (i * 13) % 60);
      if (i % 7 == 3) {
        item->ConnTimeTipe = ScheduleKind::Weekdays;
        item->CP = std::vector<ConnectionPoint>{first, "", second, "", first, "", ""};
      } else {
        item->ConnTimeTipe = ScheduleKind::Daily;
        std::vector<ConnectionPoint> times{first, second};
        if (i % 3 == 0) times.emplace_back("12:00");
        item->CP = std::move(times);
      }
      items.push_back(item.get());
      owned.push_back(std::move(item));
    }
  }
};

const tarvel::platform::DateTime kNow = tarvel::platform::encodeDateTime(2026, 12, 8, 10, 17, 31);

void wholePicture(benchmark::State& state) {
  const Chain chain(100);
  for (auto _ : state) {
    QImage picture;
    tarvel::autoquery::chart::drawTimelineAt(chain.items, picture, kZoom, kSpan, kButtonFace, kNow);
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(wholePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void allocateAndFillBitmap(benchmark::State& state) {
  for (auto _ : state) {
    QImage picture(100 * kZoom * kSpan, 40 * 100 + 20, QImage::Format_RGB32);
    picture.fill(kButtonFace);
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(allocateAndFillBitmap)->Unit(benchmark::kMillisecond)->UseRealTime();

enum Place { Top, Middle, End };

QRect viewportAt(const TimelineChart& chart, Place place) {
  const QSize size(1'280, 720);
  const QSize room = chart.size() - size;
  switch (place) {
    case Top:
      return {QPoint(0, 0), size};
    case Middle:
      return {QPoint(room.width() / 2, room.height() / 2), size};
    case End:
      break;
  }
  return {QPoint(room.width(), room.height()), size};
}

// One redraw and one screen painted, as the window does when a track bar moves.
void redrawAndPaintViewport(benchmark::State& state) {
  const Chain chain(static_cast<int>(state.range(0)));
  const auto place = static_cast<Place>(state.range(1));
  QImage screen(1'280, 720, QImage::Format_RGB32);
  for (auto _ : state) {
    const TimelineChart chart(chain.items, kZoom, kSpan, kNow, kButtonFace);
    chart.paint(screen, viewportAt(chart, place));
    benchmark::DoNotOptimize(screen.constBits());
  }
}
BENCHMARK(redrawAndPaintViewport)
    ->ArgNames({"N", "place"})
    ->Args({10'000, Top})
    ->Args({10'000, Middle})
    ->Args({10'000, End})
    ->Args({1'000, Middle})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Painting one screen alone, as the window does while the chart scrolls.
void paintViewport(benchmark::State& state) {
  const Chain chain(10'000);
  const TimelineChart chart(chain.items, kZoom, kSpan, kNow, kButtonFace);
  const QRect viewport = viewportAt(chart, static_cast<Place>(state.range(0)));
  QImage screen(1'280, 720, QImage::Format_RGB32);
  for (auto _ : state) {
    chart.paint(screen, viewport);
    benchmark::DoNotOptimize(screen.constBits());
  }
}
BENCHMARK(paintViewport)
    ->ArgName("place")
    ->Arg(Top)
    ->Arg(Middle)
    ->Arg(End)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);  // the label fonts come from it
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
