// tarvel-schedule at the scale of a large chain: a cnf.INI of 10 000 stations (half daily with
// two times, half by weekdays with four or five), written here by the plug-in's own registry.
// Beside the time to read the file, each command's CPU time (user + system) and peak resident
// memory, each run as an administrator runs it: the built program in a fresh process of its own,
// its output thrown away. Every figure in the Time column is CPU time, so other work on the
// machine changes it less than it would change the time on the clock.
//
// TARVEL_BENCH_SCHEDULE names another tarvel-schedule to measure (an older build, say); by
// default the one built beside this program. `--write-chain FILE` only writes the chain's file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/tools/schedule/schedule_file.h"
#include "platform/cp1251_literal.h"

extern char** environ;

namespace {

using tarvel::autoquery::ScheduleKind;
using tarvel::autoquery::tAutoAZS;
using tarvel::autoquery::TAzsItem;
using tarvel::platform::operator""_cp1251;

constexpr int kStations = 10'000;
// The clock of every run: a Monday afternoon.
constexpr const char* kMoment = "2026-12-07 14:00";
constexpr const char* kMeasureOption = "--measure-command";
constexpr const char* kWriteOption = "--write-chain";

std::string clockText(int minuteOfDay) {
  char text[6];
  std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
  return text;
}

// Even stations daily, one time in the morning and one in the afternoon; odd ones by weekdays,
// Monday to Friday with every fourth one leaving out a day. Times spread over the working day,
// the operator asked at every third, all three connection types.
void writeChain(const std::filesystem::path& file) {
  tAutoAZS registry;
  for (int station = 0; station < kStations; ++station) {
    TAzsItem& item = registry.Add();
    item.AZSName = u8"АЗС №"_cp1251 + std::to_string(station + 1);
    item.Enable = true;
    item.HasUserQuery = station % 3 == 0;
    item.ConnType = 1 + station % 3;
    item.CP.emplace();
    if (station % 2 == 0) {
      item.ConnTimeTipe = ScheduleKind::Daily;
      item.CP->emplace_back(clockText(6 * 60 + station * 13 % 360));
      item.CP->emplace_back(clockText(14 * 60 + station * 29 % 480));
    } else {
      item.ConnTimeTipe = ScheduleKind::Weekdays;
      const int skipped = station % 4 == 1 ? station / 4 % 5 : -1;
      for (int day = 0; day < 7; ++day) {
        const bool polled = day < 5 && day != skipped;
        item.CP->emplace_back(polled ? clockText(7 * 60 + (station * 11 + day * 97) % 720) : "");
      }
    }
  }
  registry.SaveToIni(file);
}

class ChainFile {
 public:
  ChainFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvel-schedule-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    writeChain(path());
  }
  ~ChainFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::filesystem::path path() const { return folder_ / "cnf.INI"; }
  std::filesystem::path answer() const { return folder_ / "measured.txt"; }

 private:
  std::filesystem::path folder_;
};

const ChainFile& chain() {
  static const ChainFile instance;
  return instance;
}

std::string scheduleProgram() {
  const char* other = std::getenv("TARVEL_BENCH_SCHEDULE");
  return other != nullptr && *other != '\0' ? other : TARVEL_BENCH_DEFAULT_SCHEDULE;
}

struct Measured {
  double cpuSeconds = 0;
  double peakMegabytes = 0;
};

// Starts program with arguments, standard output to /dev/null; the child's pid.
pid_t spawn(std::vector<std::string> arguments) {
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int failed = posix_spawn(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + arguments[0]);
  return child;
}

// The command's figures, taken by a small process of this program that starts it and waits for
// it: a peak taken by this process itself would carry over this process's own, which holds the
// file read.
Measured measureCommand(const std::vector<std::string>& command) {
  char self[4096] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) throw std::runtime_error("exe");
  std::vector<std::string> arguments{self,
                                     kMeasureOption,
                                     chain().answer().string(),
                                     scheduleProgram(),
                                     "--ini",
                                     chain().path().string(),
                                     "--at",
                                     kMoment};
  arguments.insert(arguments.end(), command.begin(), command.end());
  const pid_t child = spawn(arguments);
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("the measured command failed");
  }
  Measured measured;
  std::FILE* file = std::fopen(chain().answer().c_str(), "r");
  const bool read = file != nullptr && std::fscanf(file, "%lf %lf", &measured.cpuSeconds,
                                                   &measured.peakMegabytes) == 2;
  if (file != nullptr) std::fclose(file);
  if (!read) throw std::runtime_error("no figures from the measuring process");
  return measured;
}

// The measuring process: runs the command after the answer file's name and writes its CPU
// seconds and peak megabytes there; exits 0 when the command ended with status 0 or 1.
int measureInThisProcess(int argc, char** argv) {
  const std::vector<std::string> command(argv + 3, argv + argc);
  const pid_t child = spawn(command);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    return 1;
  }
  const auto seconds = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
  };
  std::FILE* answer = std::fopen(argv[2], "w");
  if (answer == nullptr) return 1;
  std::fprintf(answer, "%.4f %.2f\n", seconds(usage.ru_utime) + seconds(usage.ru_stime),
               static_cast<double>(usage.ru_maxrss) / 1024.0);
  return std::fclose(answer) == 0 ? 0 : 1;
}

// CPU seconds this process has used, user and system.
double processCpuSeconds() {
  timespec time{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

// The reported time is the CPU time of reading the file as every command does, in this process.
void BM_ReadFile(benchmark::State& state) {
  const std::filesystem::path path = chain().path();
  for (auto _ : state) {
    const double start = processCpuSeconds();
    const tarvel::autoquery::schedule::ScheduleFile file(path);
    state.SetIterationTime(processCpuSeconds() - start);
    benchmark::DoNotOptimize(file.registry.Count());
  }
  state.counters["file_MB"] =
      static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

// The reported time is the command's CPU time, user and system, averaged over the runs.
void BM_Command(benchmark::State& state, std::vector<std::string> command) {
  double peak = 0;
  for (auto _ : state) {
    const Measured measured = measureCommand(command);
    state.SetIterationTime(measured.cpuSeconds);
    peak = std::max(peak, measured.peakMegabytes);
  }
  state.counters["peak_MB"] = peak;
}

}  // namespace

BENCHMARK(BM_ReadFile)->UseManualTime()->Unit(benchmark::kMillisecond);
#define TARVEL_COMMAND(name, ...)                                            \
  BENCHMARK_CAPTURE(BM_Command, name, std::vector<std::string>{__VA_ARGS__}) \
      ->UseManualTime()                                                      \
      ->Unit(benchmark::kMillisecond)
TARVEL_COMMAND(list, "list");
TARVEL_COMMAND(next, "next");
TARVEL_COMMAND(next_hours_168, "next", "--hours", "168");
TARVEL_COMMAND(collisions_days_7, "collisions", "--days", "7");
TARVEL_COMMAND(collisions_days_30, "collisions", "--days", "30");
TARVEL_COMMAND(check, "check");

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], kMeasureOption) == 0)
    return measureInThisProcess(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], kWriteOption) == 0) {
    writeChain(argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
