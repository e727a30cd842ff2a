// The cost of one settings-file operation that writes or reads the schedules of a whole chain:
// N sections of ten keys each, at 100, 1 000 and 10 000 sections. QSettings' INI format
// writing and reading the same keys is the reference.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QSettings>
#include <QString>
#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/profile_file.h"

namespace {

using tarvel::platform::ProfileFile;

constexpr std::array<const char*, 10> kItemKeys = {
    "Enable",  "HasUserQuery", "AZSName", "ConnType", "ConnTimeTipe",
    "CPcount", "CP0time",      "CP1time", "CP2time",  "CP3time"};

// A folder of its own for the run's files, removed at exit.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::filesystem::path file(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

const BenchFolder& folder() {
  static const BenchFolder instance;
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

#define TARVEL_SIZES ->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ProfileWriteNewFile) TARVEL_SIZES;
BENCHMARK(BM_ProfileRewriteExistingFile) TARVEL_SIZES;
BENCHMARK(BM_ProfileRead) TARVEL_SIZES;
BENCHMARK(BM_QSettingsWriteNewFile) TARVEL_SIZES;
BENCHMARK(BM_QSettingsRead) TARVEL_SIZES;

}  // namespace

BENCHMARK_MAIN();
