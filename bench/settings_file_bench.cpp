// The cost of one settings-file operation that writes or reads the schedules of a whole chain:
// N sections of ten keys each, at 100, 1 000 and 10 000 sections. QSettings' INI format
// writing and reading the same keys is the reference. Then hostile files of 50 MB (bare line
// feeds; "[]" lines): time and the growth of the peak resident memory of one read and of one
// write.
#include <benchmark/benchmark.h>

#include <QSettings>
#include <QString>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_folder.h"
#include "platform/profile_file.h"

namespace {

using tarvel::platform::ProfileFile;

constexpr std::array<const char*, 10> kItemKeys = {
    "Enable",  "HasUserQuery", "AZSName", "ConnType", "ConnTimeTipe",
    "CPcount", "CP0time",      "CP1time", "CP2time",  "CP3time"};

// The run's folder, made at its first use.
const tarvel::bench::BenchFolder& folder() {
  static const tarvel::bench::BenchFolder instance("tarvel-bench");
  return instance;
}

std::string sectionName(int index) { return "AutoZaprosItem" + std::to_string(index); }

void writeSchedules(const std::filesystem::path& path, int sections, int generation) {
  ProfileFile file = ProfileFile::openForWriting(path);
  for (int section = 0; section < sections; ++section) {
    const std::string name = sectionName(section);
    for (const char* key : kItemKeys) {
      file.writeString(name, key, "08:" + std::to_string((section + generation) % 60));
    }
  }
  file.commit();
}

void BM_ProfileWriteNewFile(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const auto path = folder().file("new.INI");
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(path);
    state.ResumeTiming();
    writeSchedules(path, sections, 0);
  }
  state.SetItemsProcessed(state.iterations() * sections * 10);
}

void BM_ProfileRewriteExistingFile(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const auto path = folder().file("existing.INI");
  writeSchedules(path, sections, 0);
  int generation = 0;
  for (auto _ : state) writeSchedules(path, sections, ++generation);
  state.SetItemsProcessed(state.iterations() * sections * 10);
}

void BM_ProfileRead(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const auto path = folder().file("read.INI");
  writeSchedules(path, sections, 0);
  for (auto _ : state) {
    const ProfileFile file = ProfileFile::openForReading(path);
    std::size_t total = 0;
    for (int section = 0; section < sections; ++section) {
      const std::string name = sectionName(section);
      for (const char* key : kItemKeys) total += file.readString(name, key, "").size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * sections * 10);
}

void BM_QSettingsWriteNewFile(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const auto path = folder().file("qsettings.INI");
  const QString fileName = QString::fromStdString(path.string());
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(path);
    state.ResumeTiming();
    QSettings settings(fileName, QSettings::IniFormat);
    for (int section = 0; section < sections; ++section) {
      settings.beginGroup(QString::fromStdString(sectionName(section)));
      for (const char* key : kItemKeys) {
        settings.setValue(QLatin1String(key),
                          QString::fromStdString("08:" + std::to_string(section % 60)));
      }
      settings.endGroup();
    }
    settings.sync();
  }
  state.SetItemsProcessed(state.iterations() * sections * 10);
}

void BM_QSettingsRead(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const auto path = folder().file("qsettings-read.INI");
  writeSchedules(path, sections, 0);
  const QString fileName = QString::fromStdString(path.string());
  for (auto _ : state) {
    QSettings settings(fileName, QSettings::IniFormat);
    qsizetype total = 0;
    for (int section = 0; section < sections; ++section) {
      settings.beginGroup(QString::fromStdString(sectionName(section)));
      for (const char* key : kItemKeys)
        total += settings.value(QLatin1String(key)).toString().size();
      settings.endGroup();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * sections * 10);
}

// The process's resident memory now, or its peak since the last resetPeakResidentMemory, in
// bytes (Linux: /proc/self/status).
double residentMemory(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) * 1024;
  }
  return 0;
}

void resetPeakResidentMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

constexpr std::size_t kHostileFileBytes = 50'000'000;

// A file of kHostileFileBytes made of one line repeated, written once per run.
std::filesystem::path hostileFile(const std::string& line) {
  const auto path = folder().file("hostile-" + std::to_string(line.size()) + ".INI");
  if (!std::filesystem::exists(path)) {
    std::string block;
    while (block.size() + line.size() <= 1'000'000) block += line;
    std::ofstream out(path, std::ios::binary);
    for (std::size_t written = 0; written < kHostileFileBytes; written += block.size()) {
      out.write(block.data(),
                static_cast<std::streamsize>(std::min(block.size(), kHostileFileBytes - written)));
    }
  }
  return path;
}

// Times operation on the hostile file and reports the growth of peak memory over the file's
// size as well as in megabytes.
template <typename Operation>
void measureHostile(benchmark::State& state, const std::string& line, Operation operation) {
  const auto path = hostileFile(line);
  resetPeakResidentMemory();
  const double before = residentMemory("VmRSS");
  for (auto _ : state) operation(path);
  const double peak = residentMemory("VmHWM") - before;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_per_file_byte"] = peak / static_cast<double>(kHostileFileBytes);
}

void BM_ProfileReadHostile(benchmark::State& state, const std::string& line) {
  measureHostile(state, line, [](const std::filesystem::path& path) {
    const ProfileFile file = ProfileFile::openForReading(path);
    benchmark::DoNotOptimize(file.readString("Inet", "ViaSend", ""));
  });
}

void BM_ProfileWriteHostile(benchmark::State& state, const std::string& line) {
  int generation = 0;
  measureHostile(state, line, [&generation](const std::filesystem::path& path) {
    ProfileFile file = ProfileFile::openForWriting(path);
    file.writeInteger("Inet", "ViaSend", ++generation);
    file.commit();
  });
}

#define TARVEL_SIZES ->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ProfileWriteNewFile) TARVEL_SIZES;
BENCHMARK(BM_ProfileRewriteExistingFile) TARVEL_SIZES;
BENCHMARK(BM_ProfileRead) TARVEL_SIZES;
BENCHMARK(BM_QSettingsWriteNewFile) TARVEL_SIZES;
BENCHMARK(BM_QSettingsRead) TARVEL_SIZES;
BENCHMARK_CAPTURE(BM_ProfileReadHostile, bare_line_feeds_50MB, std::string("\n"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ProfileReadHostile, empty_headers_50MB, std::string("[]\n"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ProfileWriteHostile, bare_line_feeds_50MB, std::string("\n"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ProfileWriteHostile, empty_headers_50MB, std::string("[]\n"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
