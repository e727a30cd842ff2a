// The plug-in's Load at an office (the host answers installation kind 3) whose cnf.INI schedules
// 0, 1 000 and 10 000 stations (each daily, four times a day), as a host meets it: the module
// opened with dlopen and driven through its exports only. Beside it, reading the same registry
// alone, and the host's peak memory after Load, each measured in a fresh process of its own.
//
// TARVEL_BENCH_PLUGIN names another libtarvel.so to measure (an older build, say); by default
// the one built beside this program.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "tarvel/contract.h"

extern char** environ;

namespace {

using tarvel::autoquery::tAutoAZS;
using tarvel::autoquery::TAzsItem;
using Clock = std::chrono::steady_clock;

constexpr int32_t kOfficeMode = 1;
constexpr int32_t kInstallationKindCommand = 46;
constexpr int32_t kOfficeWithAutoQuery = 3;
constexpr const char* kPeakOption = "--peak-after-load";

class BenchMenuItem final : public tarvel::HostMenuItem {
 public:
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  void setHint(const std::string&) override {}
  void setHelpContext(int32_t) override {}
  void setShortCut(int32_t) override {}
  void setOnClick(ClickHandler) override {}
  int32_t count() const override { return static_cast<int32_t>(children_.size()); }
  tarvel::HostMenuItem* item(int32_t index) const override { return children_.at(index).get(); }
  BenchMenuItem* addChild() { return children_.emplace_back(new BenchMenuItem).get(); }

 private:
  std::string caption_;
  std::vector<std::unique_ptr<BenchMenuItem>> children_;
};

// An office host: installation kind 3, a menu to add to; it counts error messages.
class OfficeHost final : public tarvel::HostCallback {
 public:
  BenchMenuItem mainMenu;
  int errors = 0;
  int32_t GetVersion() override { return 7; }
  std::string GetStationName() override { return "Office"; }
  void ReportMessage(int32_t kind, const std::string&) override {
    errors += kind == tarvel::MessageKind::ErrorOrWarning;
  }
  tarvel::HostMenuItem* GetMainMenu() override { return &mainMenu; }
  tarvel::HostMenuItem* NewMenuItem(tarvel::HostMenuItem* parent, int32_t) override {
    return static_cast<BenchMenuItem*>(parent)->addChild();
  }
  tarvel::HostVariant Command(int32_t code, int32_t) override {
    return code == kInstallationKindCommand ? tarvel::HostVariant::fromInteger(kOfficeWithAutoQuery)
                                            : tarvel::HostVariant::empty();
  }
  void StartExchange(const std::string&, int32_t, tarvel::HostVariant) override {}
  const void* FindStation(const std::string&) override { return nullptr; }
};

// The plug-in's four exports, bound by name as a host binds them.
struct Plugin {
  Plugin() {
    const char* chosen = std::getenv("TARVEL_BENCH_PLUGIN");
    const std::string path = chosen != nullptr ? chosen : TARVEL_BENCH_DEFAULT_PLUGIN;
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error("cannot open " + path);
    load = reinterpret_cast<decltype(load)>(dlsym(handle, "Load"));
    unload = reinterpret_cast<decltype(unload)>(dlsym(handle, "UnLoad"));
    if (load == nullptr || unload == nullptr) throw std::runtime_error("exports missing");
  }
  void* handle = nullptr;
  int32_t (*load)(intptr_t, uint8_t, tarvel::HostCallback*) = nullptr;
  int32_t (*unload)() = nullptr;
};

Plugin& plugin() {
  static Plugin instance;
  return instance;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The installation root of a chain of this many scheduled stations, made once per run.
std::filesystem::path installationWith(int stations) {
  static QTemporaryDir folder;
  static std::map<int, std::filesystem::path> roots;
  if (auto found = roots.find(stations); found != roots.end()) return found->second;
  const std::filesystem::path root =
      std::filesystem::path(folder.path().toStdString()) / std::to_string(stations);
  std::filesystem::create_directories(root / "WINDOWS");
  std::filesystem::create_directories(root / "FSYS");
  tAutoAZS registry;
  for (int station = 0; station < stations; ++station) {
    TAzsItem& item = registry.Add();
    item.AZSName = "AZS " + std::to_string(station);
    item.Enable = true;
    item.ConnType = 1;
    item.CP.emplace();
    for (int hour : {2, 11, 15, 21})
      item.CP->emplace_back(twoDigits(hour) + ":" + twoDigits(station % 60));
  }
  registry.SaveToIni(root / "WINDOWS" / "cnf.INI");
  return roots.emplace(stations, root).first->second;
}

void useInstallation(int stations) { setenv("TARVEL_ROOT", installationWith(stations).c_str(), 1); }

void BM_RegistryRead(benchmark::State& state) {
  const int stations = static_cast<int>(state.range(0));
  const auto file = installationWith(stations) / "WINDOWS" / "cnf.INI";
  for (auto _ : state) {
    tAutoAZS registry;
    registry.LoadFromIni(file);
    if (registry.Count() != stations) state.SkipWithError("wrong count");
  }
}

// Load, timed (wall and CPU); UnLoad after each, not timed.
void BM_Load(benchmark::State& state) {
  useInstallation(static_cast<int>(state.range(0)));
  Plugin& module = plugin();
  OfficeHost host;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const int32_t result = module.load(0, kOfficeMode, &host);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    state.PauseTiming();
    if (result != 0 || module.unload() != 0) state.SkipWithError("Load or UnLoad failed");
    host.mainMenu = BenchMenuItem();
    state.ResumeTiming();
  }
  if (host.errors != 0) state.SkipWithError("the plug-in reported an error");
}

// The peak resident memory of this process's own memory image (VmHWM), in kilobytes. Unlike
// getrusage's ru_maxrss, it does not carry over the parent's peak from before exec.
long ownPeakKilobytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kilobytes = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1) break;
  }
  std::fclose(status);
  return kilobytes;
}

// The peak resident memory, in megabytes, of a fresh process of this program that starts a
// QApplication, loads the plug-in for this many stations and reads its own peak after Load.
double peakAfterLoadInFreshProcess(int stations) {
  installationWith(stations);  // made here, so the child only reads it
  useInstallation(stations);
  const std::string count = std::to_string(stations);
  const std::string answer = (installationWith(stations) / "peak.txt").string();
  char self[4096] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) throw std::runtime_error("exe");
  char* arguments[] = {self, const_cast<char*>(kPeakOption), const_cast<char*>(count.c_str()),
                       const_cast<char*>(answer.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, self, nullptr, nullptr, arguments, environ) != 0) {
    throw std::runtime_error("cannot start the measuring process");
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("the measuring process failed");
  }
  std::FILE* file = std::fopen(answer.c_str(), "r");
  long kilobytes = -1;
  if (file == nullptr || std::fscanf(file, "%ld", &kilobytes) != 1) kilobytes = -1;
  if (file != nullptr) std::fclose(file);
  if (kilobytes < 0) throw std::runtime_error("no peak from the measuring process");
  return static_cast<double>(kilobytes) / 1024.0;
}

void BM_PeakMemoryAfterLoad(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) megabytes = peakAfterLoadInFreshProcess(static_cast<int>(state.range(0)));
  state.counters["peak_MB"] = megabytes;
}

BENCHMARK(BM_RegistryRead)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(0)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryAfterLoad)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The measuring process: Load at the installation named by TARVEL_ROOT, then writes its own
// peak into the file named last; exits 0 when it loaded.
int peakAfterLoad(int argc, char** argv) {
  const std::string answer = argv[3];
  QApplication application(argc, argv);
  OfficeHost host;
  Plugin& module = plugin();
  const int32_t loaded = module.load(0, kOfficeMode, &host);
  const long kilobytes = ownPeakKilobytes();
  const int32_t unloaded = module.unload();
  std::FILE* file = std::fopen(answer.c_str(), "w");
  if (file == nullptr) return 1;
  std::fprintf(file, "%ld\n", kilobytes);
  std::fclose(file);
  return loaded == 0 && unloaded == 0 && host.errors == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  if (argc == 4 && std::string(argv[1]) == kPeakOption) return peakAfterLoad(argc, argv);
  const QTemporaryDir configHome;  // remembered window placement goes here, not to the user
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
