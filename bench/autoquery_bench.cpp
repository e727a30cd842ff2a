// The office's costs that grow with the chain: saving and loading the whole registry of
// schedules (each station daily, four times a day) at 100, 1 000 and 10 000 stations, loading
// and saving the largest registry the bounds allow (10 000 stations, the whole slot budget
// spent by a thousand of them polled every minute), one polling tick over 10 000 enabled
// stations with none or 100 of them due, and the ticks that report the polls of a whole day, and
// of six hours, without ticks.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "bench_folder.h"
#include "platform/clock.h"

namespace {

using tarvel::autoquery::PollingEngine;
using tarvel::autoquery::tAutoAZS;
using tarvel::autoquery::TAzsItem;

// The run's folder, made at its first use.
const tarvel::bench::BenchFolder& folder() {
  static const tarvel::bench::BenchFolder instance("tarvel-autoquery-bench");
  return instance;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// Stations polled daily at four times spread over the day, none of them in the 8 o'clock hour.
void fillChain(tAutoAZS& registry, int stations) {
  for (int station = 0; station < stations; ++station) {
    TAzsItem& item = registry.Add();
    item.AZSName = "AZS " + std::to_string(station);
    item.Enable = true;
    item.HasUserQuery = false;
    item.ConnType = 1;
    item.CP.emplace();
    for (int hour : {2, 11, 15, 21})
      item.CP->emplace_back(twoDigits(hour) + ":" + twoDigits(station % 60));
  }
}

void BM_RegistrySaveToIni(benchmark::State& state) {
  const int stations = static_cast<int>(state.range(0));
  const auto path = folder().file("save.INI");
  tAutoAZS registry;
  fillChain(registry, stations);
  registry.SaveToIni(path);
  for (auto _ : state) {
    // A changed schedule, so that every save really replaces the file.
    registry.Items(0).Enable = !registry.Items(0).Enable;
    registry.SaveToIni(path);
  }
  state.SetItemsProcessed(state.iterations() * stations);
}

void BM_RegistryLoadFromIni(benchmark::State& state) {
  const int stations = static_cast<int>(state.range(0));
  const auto path = folder().file("load.INI");
  {
    tAutoAZS registry;
    fillChain(registry, stations);
    registry.SaveToIni(path);
  }
  for (auto _ : state) {
    tAutoAZS registry;
    registry.LoadFromIni(path);
    benchmark::DoNotOptimize(registry.Count());
  }
  state.SetItemsProcessed(state.iterations() * stations);
}

// The largest registry the bounds allow: kMaxItemCount stations, the first thousand of them
// with a time in every minute of the day (the whole slot budget), the others daily without
// times.
void fillLargestAllowed(tAutoAZS& registry) {
  using tarvel::autoquery::kMaxConnectionPointCount;
  using tarvel::autoquery::kMaxConnectionPointTotal;
  using tarvel::autoquery::kMaxItemCount;
  fillChain(registry, kMaxItemCount);
  for (int station = 0; station < kMaxItemCount; ++station) registry.Items(station).CP->clear();
  for (int station = 0; station < kMaxConnectionPointTotal / kMaxConnectionPointCount; ++station) {
    auto& times = *registry.Items(station).CP;
    for (int minute = 0; minute < kMaxConnectionPointCount; ++minute) {
      times.emplace_back(twoDigits(minute / 60) + ":" + twoDigits(minute % 60));
    }
  }
}

void BM_RegistryLoadLargestAllowed(benchmark::State& state) {
  const auto path = folder().file("largest.INI");
  {
    tAutoAZS registry;
    fillLargestAllowed(registry);
    registry.SaveToIni(path);
  }
  for (auto _ : state) {
    tAutoAZS registry;
    registry.LoadFromIni(path);
    benchmark::DoNotOptimize(registry.Count());
  }
}

void BM_RegistrySaveLargestAllowed(benchmark::State& state) {
  const auto path = folder().file("largest-save.INI");
  tAutoAZS registry;
  fillLargestAllowed(registry);
  registry.SaveToIni(path);
  for (auto _ : state) {
    registry.Items(0).Enable = !registry.Items(0).Enable;
    registry.SaveToIni(path);
  }
}

// A host that answers version 7 and counts the messages and exchanges it is asked for.
class CountingHost final : public tarvel::HostCallback {
 public:
  int64_t messages = 0;
  int64_t exchanges = 0;
  int32_t GetVersion() override { return 7; }
  std::string GetStationName() override { return {}; }
  void ReportMessage(int32_t, const std::string&) override { ++messages; }
  tarvel::HostMenuItem* GetMainMenu() override { return nullptr; }
  tarvel::HostMenuItem* NewMenuItem(tarvel::HostMenuItem*, int32_t) override { return nullptr; }
  tarvel::HostVariant Command(int32_t, int32_t) override { return {}; }
  void StartExchange(const std::string&, int32_t, tarvel::HostVariant) override { ++exchanges; }
  const void* FindStation(const std::string&) override { return nullptr; }
};

// One tick over 10 000 enabled stations; the clock goes from 08:05 to 08:06 and on to 08:05 two
// days later (more than a day: no poll is reported missed), so that every tick walks the
// stations. dueStations of them have 08:05 and 08:06 among their times.
void tickOverTenThousand(benchmark::State& state, int dueStations) {
  constexpr int kStations = 10'000;
  tAutoAZS registry;
  fillChain(registry, kStations);
  for (int station = 0; station < dueStations; ++station) {
    auto& times = *registry.Items(station * (kStations / dueStations)).CP;
    times[1] = "08:05";
    times[2] = "08:06";
  }
  CountingHost host;
  std::recursive_mutex timerLock;
  PollingEngine::Links links;
  links.registry = &registry;
  links.host = &host;
  PollingEngine engine(links, timerLock);
  const double first = tarvel::platform::encodeDateTime(2025, 3, 3, 8, 5, 10);
  int64_t ticks = 0;
  for (auto _ : state) {
    tarvel::platform::setClockForTests(first + 2.0 * static_cast<double>(ticks / 2) +
                                       static_cast<double>(ticks % 2) / 1440);
    ++ticks;
    engine.tick();
  }
  tarvel::platform::setClockForTests(std::nullopt);
  if (host.exchanges != ticks * dueStations) state.SkipWithError("wrong number of exchanges");
  state.SetItemsProcessed(state.iterations() * kStations);
}

void BM_TickTenThousandNoneDue(benchmark::State& state) { tickOverTenThousand(state, 0); }

void BM_TickTenThousandHundredDue(benchmark::State& state) { tickOverTenThousand(state, 100); }

// The tick that comes a gap of days after the last walked minute (08:05 on), the registry's
// report of the polls missed between coming before the polls of the tick's own minute. The
// counter "messages" is how many messages the host received in that tick; the tick's own minute
// must still be polled (dueNow exchanges, unless dueNow is negative).
void tickAfterAGapWithoutTicks(benchmark::State& state, const tAutoAZS& registry, double gapDays,
                               int64_t dueNow) {
  CountingHost host;
  std::recursive_mutex timerLock;
  PollingEngine::Links links;
  links.registry = &registry;
  links.host = &host;
  const double first = tarvel::platform::encodeDateTime(2025, 3, 3, 8, 5, 10);
  for (auto _ : state) {
    state.PauseTiming();
    PollingEngine engine(links, timerLock);
    tarvel::platform::setClockForTests(first);
    engine.tick();
    host.messages = 0;
    host.exchanges = 0;
    tarvel::platform::setClockForTests(first + gapDays);
    state.ResumeTiming();
    engine.tick();
  }
  tarvel::platform::setClockForTests(std::nullopt);
  if (dueNow >= 0 && host.exchanges != dueNow) {
    state.SkipWithError("the tick's own minute was not polled");
  }
  state.counters["messages"] = static_cast<double>(host.messages);
}

// 10 000 stations, each due once in the gap (at 11:xx), 100 of them also at 14:05: 10 000
// missed polls.
void BM_TickAfterSixHoursWithoutTicks(benchmark::State& state) {
  constexpr int kStations = 10'000;
  constexpr int kDueNow = 100;
  tAutoAZS registry;
  fillChain(registry, kStations);
  for (int station = 0; station < kDueNow; ++station) {
    (*registry.Items(station * (kStations / kDueNow)).CP)[3] = "14:05";
  }
  tickAfterAGapWithoutTicks(state, registry, 6.0 / 24, kDueNow);
}

// The tick that comes exactly a day after the last walked minute over 10 000 stations, each due
// four times a day: it reports every poll of the 1 439 minutes between.
void BM_TickAfterADayWithoutTicks(benchmark::State& state) {
  constexpr int kStations = 10'000;
  tAutoAZS registry;
  fillChain(registry, kStations);
  tickAfterAGapWithoutTicks(state, registry, 1, -1);
  state.SetItemsProcessed(state.iterations() * kStations);
}

// The registry at its bound of session times: 1 000 stations polled every minute of the day
// (1 440 000 times), so 360 000 missed polls and 1 000 polls in the tick's own minute.
void BM_TickAfterSixHoursWithoutTicksEveryMinuteDue(benchmark::State& state) {
  constexpr int kStations = 1'000;
  tAutoAZS registry;
  for (int station = 0; station < kStations; ++station) {
    TAzsItem& item = registry.Add();
    item.AZSName = "AZS " + std::to_string(station);
    item.Enable = true;
    item.HasUserQuery = false;
    item.ConnType = 1;
    item.CP.emplace();
    for (int minute = 0; minute < 24 * 60; ++minute) {
      item.CP->emplace_back(twoDigits(minute / 60) + ":" + twoDigits(minute % 60));
    }
  }
  tickAfterAGapWithoutTicks(state, registry, 6.0 / 24, kStations);
}

BENCHMARK(BM_RegistrySaveToIni)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryLoadFromIni)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegistryLoadLargestAllowed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RegistrySaveLargestAllowed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickTenThousandNoneDue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickTenThousandHundredDue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickAfterADayWithoutTicks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickAfterSixHoursWithoutTicks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickAfterSixHoursWithoutTicksEveryMinuteDue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
