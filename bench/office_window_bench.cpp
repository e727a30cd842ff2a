// The office window at the chain's size, with the stations read from a real embedded office
// database: from the menu click to the window shown with its chart, when the registry already
// holds every station (as after the plug-in's start) and when every station is new (a chain's
// first visit); reading the station list alone; and one repaint of the scroll box after
// scrolling to some place of the chain. Each reports the process's peak memory so far
// (peak_MB): the whole host, as the window, its frames and the database engine left it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database.h"
#include "autoquery/database/office_database_name.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "platform/install_root.h"

namespace {

using namespace tarvel;
using namespace tarvel::autoquery;
using Clock = std::chrono::steady_clock;

constexpr const char* kHostDatabase = "C:\\FSYS\\MAIN.FDB";

// Answers the window's one question and counts the errors it reports.
class BenchHost final : public HostCallback {
 public:
  int errors = 0;
  int32_t GetVersion() override { return 7; }
  std::string GetStationName() override { return {}; }
  void ReportMessage(int32_t kind, const std::string&) override {
    errors += kind == MessageKind::ErrorOrWarning;
  }
  HostMenuItem* GetMainMenu() override { return nullptr; }
  HostMenuItem* NewMenuItem(HostMenuItem*, int32_t) override { return nullptr; }
  HostVariant Command(int32_t, int32_t) override { return HostVariant::fromText(kHostDatabase); }
  void StartExchange(const std::string&, int32_t, HostVariant) override {}
  const void* FindStation(const std::string&) override { return nullptr; }
};

// One installation root per chain size with its office database, kept for the whole run.
const std::filesystem::path& installationWith(int stations) {
  static QTemporaryDir folder;
  static std::map<int, std::filesystem::path> roots;
  auto found = roots.find(stations);
  if (found != roots.end()) return found->second;
  const std::filesystem::path root =
      std::filesystem::path(folder.path().toStdString()) / std::to_string(stations);
  std::filesystem::create_directories(root / "WINDOWS");
  std::filesystem::create_directories(root / "FSYS" / "OFFICEDB");
  std::vector<OfficeStation> chain;
  for (int number = 1; number <= stations; ++number) {
    chain.push_back({.AZSNUMBER = number,
                     .AZSNAME = "\xc0\xc7\xd1 \xb9" + std::to_string(number)});  // "АЗС №n"
  }
  createOfficeDatabase(root / "FSYS" / "OFFICEDB" / "OFFICE.FDB", chain);
  return roots.emplace(stations, root).first->second;
}

// The office part of the plug-in: the window and its registry, shown and closed as the menu
// command and the operator do.
struct Office {
  explicit Office(int stations) {
    platform::setInstallationRootForTests(installationWith(stations));
    AutoAZS = std::make_unique<tAutoAZS>();
    form = std::make_unique<TAutoZaprosOfficeForm>(*AutoAZS, &host);
  }
  ~Office() {
    AutoAZS.reset();
    form.reset();
    platform::setInstallationRootForTests(std::nullopt);
  }
  // The window shown and painted once: what the operator sees after the click.
  void show() {
    form->show();
    while (form->readingStationList())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    form->repaint();
  }
  // Closed as after "Применить" (nothing to reload), outside the measured time.
  void close() { form->done(QDialog::Accepted); }
  // Closed with "Отменить": the registry is reloaded from a cnf.INI without schedules, so the
  // next showing meets every station anew.
  void cancel() { form->done(QDialog::Rejected); }

  BenchHost host;
  std::unique_ptr<TAutoZaprosOfficeForm> form;
  std::unique_ptr<tAutoAZS> AutoAZS;
};

// The peak resident memory of the process so far, in megabytes.
double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_MenuClickToWindowShown(benchmark::State& state) {
  Office office(static_cast<int>(state.range(0)));
  office.show();  // the registry now holds every station, as after the plug-in's start
  office.close();
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    office.show();
    state.SetIterationTime(secondsSince(start));
    office.close();
  }
  state.counters["peak_MB"] = peakMegabytes();
  if (office.host.errors != 0) state.SkipWithError("the window reported an error");
}
BENCHMARK(BM_MenuClickToWindowShown)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_FirstVisitAddsEveryStation(benchmark::State& state) {
  Office office(static_cast<int>(state.range(0)));
  office.show();  // the engine started once
  office.cancel();
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    office.show();
    state.SetIterationTime(secondsSince(start));
    office.cancel();
  }
  state.counters["peak_MB"] = peakMegabytes();
  if (office.host.errors != 0) state.SkipWithError("the window reported an error");
}
BENCHMARK(BM_FirstVisitAddsEveryStation)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ReadStationList(benchmark::State& state) {
  platform::setInstallationRootForTests(installationWith(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    OfficeDatabase database;
    database.connect(officeDatabaseName(kHostDatabase));
    database.startTransaction();
    int rows = 0;
    database.forEachStationName([&](const std::string&) { ++rows; });
    database.disconnect();
    benchmark::DoNotOptimize(rows);
  }
  platform::setInstallationRootForTests(std::nullopt);
}
BENCHMARK(BM_ReadStationList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ScrollRepaint(benchmark::State& state) {
  Office office(static_cast<int>(state.range(0)));
  office.show();
  QScrollBar* vertical = office.form->ScrollBox1->verticalScrollBar();
  QScrollBar* horizontal = office.form->ScrollBox1->horizontalScrollBar();
  QWidget* viewport = office.form->ScrollBox1->viewport();
  unsigned place = 12345;
  for (auto _ : state) {
    place = place * 1103515245u + 12345u;  // somewhere in the chain, far from the last place
    vertical->setValue(static_cast<int>(place % static_cast<unsigned>(vertical->maximum() + 1)));
    horizontal->setValue(
        static_cast<int>((place >> 8) % static_cast<unsigned>(horizontal->maximum() + 1)));
    viewport->repaint();
  }
  office.close();
  state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ScrollRepaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  const QTemporaryDir configHome;  // the legend switch is remembered here, not for the user
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
